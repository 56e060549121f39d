#include "player/system.h"

#include "player/casepath.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace PlayerSystem {

std::optional<QList<DirEntry>> listDirectory(const QString& path) {
    const QDir dir(resolveCase(path.isEmpty() ? QStringLiteral(".") : path));
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
    QDir::setCurrent(resolveCase(path));
    return previous;
}

bool createDirectory(const QString& path) {
    return QDir().mkdir(resolveCase(path));
}

bool removeDirectory(const QString& path) {
    return QDir().rmdir(resolveCase(path));
}

bool removeFile(const QString& path) {
    return QFile::remove(resolveCase(path));
}

bool rename(const QString& from, const QString& to) {
    return QFile::rename(resolveCase(from), resolveCase(to));
}

} // namespace PlayerSystem
