#include "player/system.h"

#include "project/module1.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace PlayerSystem {

std::optional<QList<DirEntry>> listDirectory(const QString& path) {
    const QDir dir(resolvePath(path.isEmpty() ? QStringLiteral(".") : path));
    if (!dir.exists() || !dir.isReadable())
        return std::nullopt;
    QList<DirEntry> out{{QStringLiteral("."), 0, true}, {QStringLiteral(".."), 0, true}};
    const QFileInfoList infos = dir.entryInfoList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
    for (const QFileInfo& info : infos)
        out.append({info.fileName(), info.isDir() ? 0 : info.size(), info.isDir()});
    return out;
}

QString changeDirectory(const QString& path) {
    const QString previous = QDir::currentPath();
    QDir::setCurrent(resolvePath(path));
    return previous;
}

bool createDirectory(const QString& path) {
    return QDir().mkdir(resolvePath(path));
}

bool removeDirectory(const QString& path) {
    return QDir().rmdir(resolvePath(path));
}

bool removeFile(const QString& path) {
    return QFile::remove(resolvePath(path));
}

bool rename(const QString& from, const QString& to) {
    return QFile::rename(resolvePath(from), resolvePath(to));
}

} // namespace PlayerSystem
