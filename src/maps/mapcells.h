#pragma once

#include "project/mapgrid.h"

#include <QString>

#include <array>

// The cells of a map as its files hold them: per cell slot a tile code and a collision flag,
// kept as the texts found in the files ("0".."9" for tiles, "1" for a collision cell, any
// other text counting as free). Slots follow mapgrid::slot(); the files carry 9 row lines.
struct MapCells {
    std::array<QString, mapgrid::kSlots> maptiles;
    std::array<QString, mapgrid::kSlots> mapcoll;

    // Every slot becomes tile "0" and free.
    void reset();
    // Replaces the whole map with the texts of a map file and a collision file: rows 1 to 8
    // by their fixed places in the files (a character beyond the end of its text gives the
    // empty text; characters are kept as they are), the ninth row line as far as it goes,
    // every other slot empty.
    void loadRows(const QString& mapText, const QString& collisionText);
    // The texts the map's files are written with: the map file starts with the hero start.
    QString mapFileText(int heroX, int heroY) const;
    QString collisionFileText() const;

    friend bool operator==(const MapCells&, const MapCells&) = default;
};

// "05" for 5, "12" for 12: the two-digit form of the hero start in a map file header.
QString twoDigits(int value);
