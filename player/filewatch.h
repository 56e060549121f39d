#pragma once

#include <QFileSystemWatcher>
#include <QHash>
#include <QSet>
#include <QString>
#include <QStringList>

#include <optional>

// Which files of a game's folder changed. Qt's file watcher follows the folder, its files and
// its subfolders two levels down (images/map01/terrain.png); takeChanged() names the files
// written, made or replaced since the last call. Hidden files, such as the temporary file of
// a safe save, do not count.
class FileWatch {
public:
    explicit FileWatch(const QString& folder);

    // Paths relative to the folder, with '/', sorted; empty when nothing changed. The
    // watcher's pending news are taken in first.
    QStringList takeChanged();

private:
    struct Stamp {
        qint64 inode = 0;
        qint64 modifiedNs = 0;
        qint64 size = -1;
        bool operator==(const Stamp&) const = default;
    };
    static constexpr int kDepth = 2;
    static constexpr int kMaxWatched = 4000;

    // A folder found while reporting is new: its files count as changed.
    void watchFolder(const QString& path, int depth, bool report);
    void scanFolder(const QString& path, bool report);
    void checkFile(const QString& path);
    static std::optional<Stamp> stampOf(const QString& path);
    int depthOf(const QString& path) const;

    QString mRoot;
    QFileSystemWatcher mWatcher;
    QHash<QString, Stamp> mStamps; // watched files by absolute path
    QSet<QString> mFolders;        // watched folders
    QSet<QString> mDirtyFolders;
    QSet<QString> mDirtyFiles;
    QSet<QString> mChanged;        // relative paths
};
