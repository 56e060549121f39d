#include "player/filewatch.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include <sys/stat.h>

#include <algorithm>
#include <utility>

FileWatch::FileWatch(const QString& folder) : mRoot(QDir(folder).absolutePath()) {
    QObject::connect(&mWatcher, &QFileSystemWatcher::directoryChanged, &mWatcher,
                     [this](const QString& path) { mDirtyFolders.insert(path); });
    QObject::connect(&mWatcher, &QFileSystemWatcher::fileChanged, &mWatcher,
                     [this](const QString& path) { mDirtyFiles.insert(path); });
    watchFolder(mRoot, 0, false);
}

std::optional<FileWatch::Stamp> FileWatch::stampOf(const QString& path) {
    struct stat st {};
    if (::stat(QFile::encodeName(path).constData(), &st) != 0 || !S_ISREG(st.st_mode))
        return std::nullopt;
    return Stamp{qint64(st.st_ino), qint64(st.st_mtim.tv_sec) * 1'000'000'000 + st.st_mtim.tv_nsec,
                 qint64(st.st_size)};
}

int FileWatch::depthOf(const QString& path) const {
    return path == mRoot ? 0 : int(path.mid(mRoot.size() + 1).count(u'/')) + 1;
}

void FileWatch::watchFolder(const QString& path, int depth, bool report) {
    if (mFolders.contains(path) || mFolders.size() + mStamps.size() >= kMaxWatched)
        return;
    mFolders.insert(path);
    mWatcher.addPath(path);
    scanFolder(path, report);
    if (depth >= kDepth)
        return;
    const QStringList subfolders = QDir(path).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString& name : subfolders)
        watchFolder(path + u'/' + name, depth + 1, report);
}

// The files of a folder: new ones and those replaced since their last stamp are changed
// (when reporting); a new subfolder is watched too.
void FileWatch::scanFolder(const QString& path, bool report) {
    const QDir dir(path);
    for (const QString& name : dir.entryList(QDir::Files)) {
        const QString file = path + u'/' + name;
        const auto stamp = stampOf(file);
        if (!stamp)
            continue;
        const auto known = mStamps.constFind(file);
        if (known == mStamps.constEnd()) {
            if (mFolders.size() + mStamps.size() >= kMaxWatched)
                continue;
            mWatcher.addPath(file);
        } else if (*known == *stamp) {
            continue;
        }
        mStamps.insert(file, *stamp);
        if (report)
            mChanged.insert(file.mid(mRoot.size() + 1));
    }
    if (report && depthOf(path) < kDepth)
        for (const QString& name : dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot))
            watchFolder(path + u'/' + name, depthOf(path) + 1, true);
}

// A watched file was written in place or replaced: it counts as changed while it exists,
// even when written twice within the file system's clock tick.
void FileWatch::checkFile(const QString& path) {
    const auto stamp = stampOf(path);
    if (!stamp) {
        mStamps.remove(path);
        return;
    }
    mStamps.insert(path, *stamp);
    // A replaced file is dropped by the watcher: follow the new one.
    if (!mWatcher.files().contains(path))
        mWatcher.addPath(path);
    mChanged.insert(path.mid(mRoot.size() + 1));
}

QStringList FileWatch::takeChanged() {
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    if (mDirtyFolders.isEmpty() && mDirtyFiles.isEmpty() && mChanged.isEmpty())
        return {};
    const QSet<QString> folders = std::exchange(mDirtyFolders, {});
    for (const QString& folder : folders)
        scanFolder(folder, true);
    const QSet<QString> files = std::exchange(mDirtyFiles, {});
    for (const QString& file : files)
        checkFile(file);
    QStringList changed(mChanged.begin(), mChanged.end());
    mChanged.clear();
    std::sort(changed.begin(), changed.end());
    return changed;
}
