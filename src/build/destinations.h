#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// A place a finalised game may be copied to, as the drive list offers it.
struct DestinationPlace {
    QString name;  // "CLE_USB", "Dossier personnel", "Racine"
    QString path;
    bool removable = false;

    // As the list shows it: "CLE_USB (support amovible)", "Dossier personnel (/home/camille)",
    // "Racine (/)".
    QString label() const;
};

// The places in the order a user copying a game looks for them: the mounted removable media
// (mount points under /media and /run/media, as desktops mount memory sticks) sorted by path,
// then the home folder, then the root of the file system.
QList<DestinationPlace> destinationPlaces(const QStringList& mountPoints, const QString& home);
// The same for this computer, from its mounted volumes.
QList<DestinationPlace> systemDestinationPlaces();

// A path inside the place as the user knows it: "CLE_USB/PSP/GAME" for /media/camille/CLE_USB/
// PSP/GAME; paths of the root place, or outside the place, stay whole.
QString shownPath(const DestinationPlace& place, const QString& path);
