#pragma once

#include <QImage>
#include <QList>
#include <QString>

// Texture sets: ten tiles of 28 x 29 pixels each, the walkable ones first.
namespace art {

constexpr int tileWidth = 28;
constexpr int tileHeight = 29;

struct Tile {
    QString name;    // French, as the documentation lists it
    bool walkable;   // whether the hero can usually walk on it
    QImage image;    // opaque, tileWidth x tileHeight
};

struct TileSet {
    QString title;
    QList<Tile> tiles;
};

TileSet outdoorSet(); // terrain01
TileSet indoorSet();  // terrain02
TileSet snowSet();    // terrain03
QList<TileSet> allTileSets();

// Shared tile textures, also used as backgrounds by the other sets.
QImage grassTile(int seed);
QImage woodPlanks(int seed, bool across);

// Every tile side by side: tile code k at x = k * tileWidth.
QImage tileSheet(const TileSet& set);

} // namespace art
