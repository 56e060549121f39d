#pragma once

// A throwaway application folder for tests, with small stand-ins for the supplied files. Map templates hold a known 8-row map so loads can be checked cell by cell.

#include "project/apppaths.h"
#include "project/module1.h"
#include "testsupport/files.h"

#include <QTemporaryDir>


// Row r of the template map: tile codes (r + c) % 10; collisions on the diagonal c == r.
inline QString templateMapRow(int r) {
    QString row;
    for (int c = 1; c <= 17; ++c)
        row += QString::number((r + c) % 10);
    return row;
}

inline QString templateCollisionRow(int r) {
    return QString(17, u'0').replace(r - 1, 1, u'1');
}

inline QString templateRows(QString (*row)(int)) {
    QString t;
    for (int r = 1; r <= 8; ++r)
        t += row(r) + QStringLiteral("\r\n");
    return t;
}

inline QString templateMap() { return QStringLiteral("0503\r\n") + templateRows(templateMapRow); }
inline QString templateCollisions() { return templateRows(templateCollisionRow); }

inline const QStringList kHeroSprites = {"dos1",    "dos2",    "dos3",    "face1",   "face2",
                                         "face3",   "droite1", "droite2", "droite3", "gauche1",
                                         "gauche2", "gauche3", "mort"};
inline const QStringList kSystemPictures = {"imgprinc", "menuingame", "menuprinc", "parler"};
// Template, and the file its text copy makes in a new project.
inline const QList<QPair<QString, QString>> kTextCopies = {
    {"ftgr.dat", "ram.lua"},        {"ftgm.dat", "map.lua"}, {"ftgi.dat", "index.lua"},
    {"ftgms.dat", "menustart.lua"}, {"ftgev.dat", "ev.lua"}, {"ftgmev.dat", "map01.ev"},
    {"ftgmma.dat", "map01.map"}};

// The supplied data; templates lack their last CR LF, which a text copy adds back.
inline void writeData(const QString& appDir) {
    const QString data = appDir + QStringLiteral("/data");
    for (const QString& name : kHeroSprites)
        putFile(data + "/images/personnages/perso01/" + name + ".png", "png " + name.toLatin1());
    for (const QString& name : kSystemPictures)
        putFile(data + "/images/system/theme01/" + name + ".png", "png " + name.toLatin1());
    putFile(data + QStringLiteral("/images/terrains/terrain01/terrain01.png"), "tile sheet");
    for (const auto& [tpl, dest] : kTextCopies)
        putFile(data + u'/' + tpl, "-- " + tpl.toLatin1() + " \xE9\r\nx = 1");
    putFile(data + QStringLiteral("/ftgmma.dat"), templateMap().chopped(2).toLatin1());
    putFile(data + QStringLiteral("/ftgmev.dat"), templateCollisions().chopped(2).toLatin1());
}

// A project made by hand: projet.ini with extraJeu, maps 1..maps from the templates, named "Carte k".
inline QString makeProject(const QString& appDir, const QString& name, int maps,
                           const QString& extraJeu = QString()) {
    const QString dir = appDir + QStringLiteral("/projets/") + name;
    QString ini = QStringLiteral("[Jeu]\r\nnom=") + name +
                  QStringLiteral("\r\nauteur=Moi\r\nver=3.0.0\r\ncartes=") +
                  QString::number(maps) + QStringLiteral("\r\ncombats=0\r\n") + extraJeu;
    for (int k = 1; k <= maps; ++k) {
        const QString nn = mapNumberText(k);
        ini += "[Carte" + nn + "]\r\ntexture=01\r\nnom=Carte " + QString::number(k) + "\r\n";
        putFile(dir + "/map" + nn + ".map", (templateMap() + "\r\n").toLatin1());
        putFile(dir + "/map" + nn + ".ev", (templateCollisions() + "\r\n").toLatin1());
        QDir().mkpath(dir + "/ev/map" + nn);
    }
    ini += QStringLiteral("[Variables]\r\nnombre=0\r\n");
    putFile(dir + QStringLiteral("/projet.ini"), ini.toLatin1());
    return dir;
}

// Application folder in a temporary directory holding the stand-in data.
struct AppFolder {
    QTemporaryDir dir;

    AppFolder() { writeData(dir.path()); }
    AppPaths appPaths() const { return AppPaths::inPlace(dir.path()); }
    QString projectDir(const QString& name) const {
        return dir.path() + QStringLiteral("/projets/") + name;
    }
};

