#pragma once

#include <QList>
#include <QString>

#include <optional>

// The file operations of the System module. Paths are resolved ignoring case.
namespace PlayerSystem {

struct DirEntry {
    QString name;
    qint64 size = 0;
    bool directory = false;
};

// Entries of a folder, "." and ".." first, then sorted by name; nullopt when it cannot be read.
std::optional<QList<DirEntry>> listDirectory(const QString& path);
// Makes `path` the working directory and returns the previous one; a failed change is silent.
QString changeDirectory(const QString& path);
bool createDirectory(const QString& path);
bool removeDirectory(const QString& path);
bool removeFile(const QString& path);
bool rename(const QString& from, const QString& to);

} // namespace PlayerSystem
