#include "maps/mapfiles.h"

#include "project/apppaths.h"
#include "project/module1.h"
#include "project/projectfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

QString mapFilePath(const QString& projectDir, const QString& nn) {
    return projectDir + QStringLiteral("/map") + nn + QStringLiteral(".map");
}

QString collisionFilePath(const QString& projectDir, const QString& nn) {
    return projectDir + QStringLiteral("/map") + nn + QStringLiteral(".ev");
}

std::optional<MapFiles> readMapFiles(const QString& projectDir, const QString& nn) {
    const QString m = readfile(mapFilePath(projectDir, nn));
    if (m.isEmpty())
        return std::nullopt;
    MapFiles files;
    files.heroX = m.mid(0, 2);
    files.heroY = m.mid(2, 2);
    files.cells.loadRows(m, readfile(collisionFilePath(projectDir, nn)));
    return files;
}

std::optional<int> heroCoordinate(const QString& text) {
    const auto v = wholeNumber(text);
    if (!v || *v < 0 || *v > 99)
        return std::nullopt;
    return v;
}

NewMap addNewMap(const AppPaths& paths, const QString& projectDir) {
    NewMap result;
    const ProjectFile project(projectDir + QStringLiteral("/projet.ini"));
    const auto count = project.read().mapCount();
    if (!count || *count < 0) {
        result.error = QStringLiteral("Erreur : le nombre de cartes de votre jeu ([Jeu] cartes "
                                      "dans ") +
                       project.path() + QStringLiteral(") est illisible , aucune carte n'a été ajoutée.");
        return result;
    }
    if (*count >= kMaxCount) {
        result.error = QStringLiteral("Erreur : votre jeu a déjà %1 cartes, le plus grand nombre "
                                      "possible , aucune carte n'a été ajoutée.")
                           .arg(*count);
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
    copyFileReplacing(paths.dataPath(QStringLiteral("/images/terrains/terrain01/terrain01.png")),
                      projectDir + QStringLiteral("/images/map") + nn +
                          QStringLiteral("/terrain.png"));

    const auto fail = [&](const QString& path) {
        QFile::remove(ev);
        QFile::remove(map);
        result.error = QStringLiteral("Erreur : impossible d'écrire le fichier ") + path +
                       QStringLiteral(" , aucune carte n'a été ajoutée.");
        return result;
    };
    if (!writefile(readfile(paths.dataPath(QStringLiteral("/ftgmev.dat"))), ev))
        return fail(ev);
    if (!writefile(readfile(paths.dataPath(QStringLiteral("/ftgmma.dat"))), map))
        return fail(map);
    if (!project.addMapEntry(nn))
        return fail(project.path());
    result.nn = nn;
    return result;
}
