#include "build/destinations.h"

#include <QDir>
#include <QFileInfo>
#include <QStorageInfo>

#include <algorithm>

namespace {

bool isRemovableMount(const QString& path) {
    return path.startsWith(QStringLiteral("/media/")) || path.startsWith(QStringLiteral("/run/media/"));
}

} // namespace

QString DestinationPlace::label() const {
    if (removable)
        return name + QStringLiteral(" (support amovible)");
    if (name == path)
        return name;
    return name + QStringLiteral(" (") + path + u')';
}

QList<DestinationPlace> destinationPlaces(const QStringList& mountPoints, const QString& home) {
    QStringList media;
    for (const QString& mount : mountPoints) {
        const QString clean = QDir::cleanPath(mount);
        if (isRemovableMount(clean) && !media.contains(clean))
            media.append(clean);
    }
    // /media before /run/media, then by path.
    std::sort(media.begin(), media.end(), [](const QString& a, const QString& b) {
        const bool aRun = a.startsWith(QStringLiteral("/run/"));
        const bool bRun = b.startsWith(QStringLiteral("/run/"));
        return aRun != bRun ? !aRun : a < b;
    });
    QList<DestinationPlace> places;
    for (const QString& mount : media)
        places.append({QFileInfo(mount).fileName(), mount, true});
    if (!home.isEmpty() && QDir::cleanPath(home) != QStringLiteral("/"))
        places.append({QStringLiteral("Dossier personnel"), QDir::cleanPath(home), false});
    places.append({QStringLiteral("Racine"), QStringLiteral("/"), false});
    return places;
}

QList<DestinationPlace> systemDestinationPlaces() {
    QStringList mounts;
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes())
        if (volume.isValid() && volume.isReady())
            mounts.append(volume.rootPath());
    return destinationPlaces(mounts, QDir::homePath());
}

QString shownPath(const DestinationPlace& place, const QString& path) {
    const QString clean = QDir::cleanPath(path);
    if (place.path == QStringLiteral("/"))
        return clean;
    if (clean == place.path)
        return place.name;
    if (clean.startsWith(place.path + u'/'))
        return place.name + clean.mid(place.path.size());
    return clean;
}
