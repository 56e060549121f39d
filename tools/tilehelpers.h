#pragma once

#include <QColor>
#include <QImage>

// Building blocks shared by the three texture sets.
namespace art {

// A tile of smooth noise between colours a and b, wrapping at the tile edges.
QImage noiseTile(const QColor& a, const QColor& b, int cell, int seed);
// Scatters single pixels of colour c over about `share` of the tile.
void speckle(QImage& img, const QColor& c, double share, int seed);
// Like put(), but coordinates wrap around the tile so that marks near an edge continue on
// the opposite side and neighbouring tiles join.
void putWrap(QImage& img, int x, int y, const QColor& c);
// Draws layer over img (alpha blending) and returns img.
QImage over(QImage img, const QImage& layer);
// Soft dark ellipse on the ground, under an object.
void groundShadow(QImage& img, int x, int y, int w, int h, int alpha);
// Bricks w x h (mortar included) in rows shifted by half a brick, colours varying per brick.
QImage brickTile(const QColor& brick, const QColor& mortar, int w, int h, int variation, int seed);

} // namespace art
