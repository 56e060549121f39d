#pragma once

#include "maps/mapstate.h"

#include <QString>

#include <optional>

// Map files of a project folder: map<NN>.map (hero start header, then one line of tile codes
// per row) and map<NN>.ev (one line of collision flags per row), and the projet.ini keys of a
// map. Every function takes the project folder path and reports failures as a French text
// that names what went wrong (empty on success).

QString mapFilePath(const QString& projectDir, const QString& nn);
QString collisionFilePath(const QString& projectDir, const QString& nn);

// [Jeu] cartes read as a whole number; nothing when missing, empty or not a number.
std::optional<int> mapCount(const QString& projectDir);

struct MapLoad {
    QString name;         // nom of section Carte<NN>
    QString heroX;        // characters 1 and 2 of the map file, as they stand
    QString heroY;        // characters 3 and 4
    bool valid = false;   // false when the map file is missing or empty: cells left untouched
};

// Reads map NN; fills rows 1 to 8 of the state only when the map file holds something.
MapLoad loadMap(MapState& state, const QString& projectDir, const QString& nn);

// Writes the name to projet.ini and the cells to the two files of map NN. Refuses, writing
// nothing, when the cells are not those of map NN (a refused load left another map's cells)
// or when the hero start is not a number from 0 to 99.
QString saveMap(const MapState& state, bool cellsAreThisMap, const QString& projectDir,
                const QString& nn, const QString& name, const QString& heroX,
                const QString& heroY);

struct NewMap {
    QString nn;      // map number text of the new map
    QString error;   // empty when the map was added
};

// Adds map cartes + 1 to the project from the templates of the application folder: its
// folders, tile sheet, map and collision files, and its projet.ini keys, cartes last. Refuses
// when cartes is unreadable or when the new map's files exist already; a failed write takes
// back the files it made, so no map is half added.
NewMap addNewMap(const QString& appDir, const QString& projectDir);
