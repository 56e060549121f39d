#pragma once

#include "maps/mapcells.h"

#include <QString>

#include <optional>

struct AppPaths;

// The files of a map in a project folder: map<NN>.map (hero start header, then one line of
// tile codes per row) and map<NN>.ev (one line of collision flags per row). Failures are
// French texts naming what went wrong (empty on success).

QString mapFilePath(const QString& projectDir, const QString& nn);
QString collisionFilePath(const QString& projectDir, const QString& nn);

struct MapFiles {
    MapCells cells;
    QString heroX; // characters 1 and 2 of the map file, as they stand
    QString heroY; // characters 3 and 4
};

// Map NN as its files hold it; nothing when the map file is missing or empty. A missing
// collision file leaves every cell free.
std::optional<MapFiles> readMapFiles(const QString& projectDir, const QString& nn);

// The hero start as a number of the two-digit header: a whole number from 0 to 99.
std::optional<int> heroCoordinate(const QString& text);

struct NewMap {
    QString nn;    // map number text of the new map
    QString error; // empty when the map was added
};

// Adds map cartes + 1 to the project from the supplied templates: its folders, tile sheet,
// map and collision files, and its projet.ini keys, cartes last. Refuses when cartes is
// unreadable, when the project holds the most maps it may, or when the new map's files exist
// already; a failed write takes back the files it made, so no map is half added.
NewMap addNewMap(const AppPaths& paths, const QString& projectDir);
