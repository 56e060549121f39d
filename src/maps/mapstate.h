#pragma once

#include <QString>

#include <array>

// The map a map editor window holds: per cell slot a tile code and a collision flag, kept as
// the texts found in the files ("0".."9" for tiles, "1" for a collision cell).
// Row r and column c (both from 1) live in slot (r - 1) * 17 + (c - 1). The editor shows
// rows 1 to 8; the files carry a 9th row (slots 136 to 152); slots up to 200 exist because
// the reset clears them.
inline constexpr int MapColumns = 17;
inline constexpr int MapRows = 8;
inline constexpr int MapFileRows = 9;
inline constexpr int MapSlots = 201;

constexpr int cellSlot(int row, int column) { return (row - 1) * MapColumns + (column - 1); }

struct MapState {
    std::array<QString, MapSlots> maptiles;
    std::array<QString, MapSlots> mapcoll;

    // Every slot becomes tile "0" and free.
    void reset();
    // Replaces the whole map with the texts of a map file and a collision file: rows 1 to 9
    // as the files hold them (a character beyond the end of its text gives the empty text,
    // characters are kept as they are), every other slot empty.
    void loadRows(const QString& mapText, const QString& collisionText);
    // The texts savemap writes: the map file starts with the hero start header.
    QString mapFileText(int heroX, int heroY) const;
    QString collisionFileText() const;
};

// "05" for 5, "12" for 12: the two-digit form of the hero start in a map file header.
QString twoDigits(int value);
