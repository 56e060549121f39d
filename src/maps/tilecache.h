#pragma once

#include <QDateTime>
#include <QHash>
#include <QImage>
#include <QString>

// Tile pictures by path. A picture is read once and kept; each lookup checks the file's
// modification time and size and reads it again when either changed, so a picture replaced
// on disk shows at the next repaint. An unreadable picture is remembered as a null image
// until its file changes, so a broken tile costs one file check per lookup, not one decode.
class TileCache {
public:
    // The picture of the file, or a null image when it is missing or unreadable.
    QImage picture(const QString& path);

    void clear() { mEntries.clear(); }
    int size() const { return int(mEntries.size()); }
    // Pictures decoded so far (files read), for tests and measurements.
    int reads() const { return mReads; }

private:
    struct Entry {
        QString file; // the path found on disk (letter case resolved)
        QDateTime modified;
        qint64 bytes = -1;
        QImage image;
    };
    QHash<QString, Entry> mEntries;
    int mReads = 0;
};
