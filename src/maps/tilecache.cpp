#include "maps/tilecache.h"

#include "project/module1.h"

#include <QFileInfo>
#include <QImageReader>

QImage TileCache::picture(const QString& path) {
    auto it = mEntries.find(path);
    if (it != mEntries.end()) {
        const QFileInfo info(it->file);
        if (info.isFile() && info.lastModified() == it->modified && info.size() == it->bytes)
            return it->image;
    }
    // Not cached, changed, or gone: look the file up again (its letter case may differ).
    const QString file = resolvePath(path);
    const QFileInfo info(file);
    if (!info.isFile()) {
        if (it != mEntries.end())
            mEntries.erase(it);
        return QImage();
    }
    QImageReader reader(file);
    // Data made elsewhere may hold a PNG named .JPG: trust the bytes, not the name.
    reader.setDecideFormatFromContent(true);
    Entry entry{file, info.lastModified(), info.size(), reader.read()};
    ++mReads;
    const QImage image = entry.image;
    mEntries.insert(path, std::move(entry));
    return image;
}
