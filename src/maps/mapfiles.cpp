#include "mapfiles.h"

#include "project/module1.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

QString iniOf(const QString& projectDir) { return projectDir + QStringLiteral("/projet.ini"); }

QString section(const QString& nn) { return QStringLiteral("Carte") + nn; }

QString cannotWrite(const QString& path) {
    return QStringLiteral("Erreur : impossible d'écrire le fichier ") + path +
           QStringLiteral(" , la carte n'a pas été sauvegardée.");
}

// Hero start coordinate: a whole number that fits the two-digit header.
std::optional<int> heroCoordinate(const QString& text) {
    const auto v = wholeNumber(text);
    if (!v || *v < 0 || *v > 99)
        return std::nullopt;
    return v;
}

} // namespace

QString mapFilePath(const QString& projectDir, const QString& nn) {
    return projectDir + QStringLiteral("/map") + nn + QStringLiteral(".map");
}

QString collisionFilePath(const QString& projectDir, const QString& nn) {
    return projectDir + QStringLiteral("/map") + nn + QStringLiteral(".ev");
}

std::optional<int> mapCount(const QString& projectDir) {
    return wholeNumber(readini(QStringLiteral("Jeu"), QStringLiteral("cartes"), iniOf(projectDir)));
}

MapLoad loadMap(MapState& state, const QString& projectDir, const QString& nn) {
    const QString m = readfile(mapFilePath(projectDir, nn));
    const QString e = readfile(collisionFilePath(projectDir, nn));
    MapLoad load;
    load.name = readini(section(nn), QStringLiteral("nom"), iniOf(projectDir));
    load.heroX = m.mid(0, 2);
    load.heroY = m.mid(2, 2);
    load.valid = !m.isEmpty();
    if (load.valid)
        state.loadRows(m, e);
    return load;
}

QString saveMap(const MapState& state, bool cellsAreThisMap, const QString& projectDir,
                const QString& nn, const QString& name, const QString& heroX,
                const QString& heroY) {
    if (!cellsAreThisMap)
        return QStringLiteral("Erreur : la carte ") + nn +
               QStringLiteral(" n'a pas pu être chargée , l'éditeur contient encore une autre "
                              "carte. Rien n'a été sauvegardé.");
    const auto x = heroCoordinate(heroX);
    const auto y = heroCoordinate(heroY);
    if (!x || !y)
        return QStringLiteral("Erreur : la position de départ du héro (X : \"") + heroX +
               QStringLiteral("\" , Y : \"") + heroY +
               QStringLiteral("\") n'est pas un nombre. Rien n'a été sauvegardé.");

    const QString ini = iniOf(projectDir);
    if (!writeini(section(nn), QStringLiteral("nom"), name, ini))
        return cannotWrite(ini);
    const QString ev = collisionFilePath(projectDir, nn);
    if (!writefile(state.collisionFileText(), ev))
        return cannotWrite(ev);
    const QString map = mapFilePath(projectDir, nn);
    if (!writefile(state.mapFileText(*x, *y), map))
        return cannotWrite(map);
    return QString();
}

NewMap addNewMap(const QString& appDir, const QString& projectDir) {
    NewMap result;
    const QString ini = iniOf(projectDir);
    const auto count = mapCount(projectDir);
    if (!count || *count < 0) {
        result.error = QStringLiteral("Erreur : le nombre de cartes de votre jeu ([Jeu] cartes "
                                      "dans ") +
                       ini + QStringLiteral(") est illisible , aucune carte n'a été ajoutée.");
        return result;
    }
    const QString nn = mapNumberText(*count + 1);
    const QString map = mapFilePath(projectDir, nn);
    const QString ev = collisionFilePath(projectDir, nn);
    for (const QString& path : {map, ev}) {
        if (QFileInfo::exists(resolvePath(path))) {
            result.error = QStringLiteral("Erreur : la carte ") + nn +
                           QStringLiteral(" existe déjà (") + path +
                           QStringLiteral(") , aucune carte n'a été ajoutée.");
            return result;
        }
    }

    // Folders that exist already are fine; the tile sheet is optional (the texture set can be
    // chosen again in the editor).
    QDir().mkpath(projectDir + QStringLiteral("/images/map") + nn);
    QDir().mkpath(projectDir + QStringLiteral("/ev/map") + nn);
    copyFileReplacing(appDir + QStringLiteral("/data/images/terrains/terrain01/terrain01.png"),
                      projectDir + QStringLiteral("/images/map") + nn +
                          QStringLiteral("/terrain.png"));

    const auto fail = [&](const QString& path) {
        QFile::remove(ev);
        QFile::remove(map);
        result.error = QStringLiteral("Erreur : impossible d'écrire le fichier ") + path +
                       QStringLiteral(" , aucune carte n'a été ajoutée.");
        return result;
    };
    if (!writefile(readfile(appDir + QStringLiteral("/data/ftgmev.dat")), ev))
        return fail(ev);
    if (!writefile(readfile(appDir + QStringLiteral("/data/ftgmma.dat")), map))
        return fail(map);
    if (!writeini(section(nn), QStringLiteral("texture"), QStringLiteral("01"), ini) ||
        !writeini(section(nn), QStringLiteral("nom"), QStringLiteral("Carte 1"), ini) ||
        !writeini(QStringLiteral("Jeu"), QStringLiteral("cartes"), nn, ini))
        return fail(ini);
    result.nn = nn;
    return result;
}
