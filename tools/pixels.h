#pragma once

#include <QColor>
#include <QImage>
#include <cstdint>

// Small pixel-art helpers shared by every picture of the art tool. Everything here is
// deterministic: the "noise" is a hash of the coordinates and a fixed seed.
namespace art {

std::uint32_t hash3(int x, int y, int seed);
// A value in [0, 1) that depends only on (x, y, seed).
double noise01(int x, int y, int seed);
// Smooth value noise with the given cell size, wrapping every wrapW x wrapH pixels so that a
// tile textured with it joins its neighbours without a seam.
double smoothNoise(int x, int y, int cell, int wrapW, int wrapH, int seed);

// c with delta added to each of red, green and blue, clamped to 0..255; alpha kept.
QColor shade(const QColor& c, int delta);
// Linear mix: t = 0 gives a, t = 1 gives b.
QColor mix(const QColor& a, const QColor& b, double t);

QImage blank(int w, int h); // transparent ARGB32
void put(QImage& img, int x, int y, const QColor& c); // ignores points outside the image
void blend(QImage& img, int x, int y, const QColor& c); // alpha-blends c over the pixel
void rect(QImage& img, int x, int y, int w, int h, const QColor& c);
void hline(QImage& img, int x0, int x1, int y, const QColor& c);
void vline(QImage& img, int x, int y0, int y1, const QColor& c);
// Filled ellipse inside the box (x, y, w, h), pixel exact, no antialiasing.
void disc(QImage& img, int x, int y, int w, int h, const QColor& c);
// Draws rows of characters; each character found in keys gets the colour at the same index,
// any other character is left alone.
void stamp(QImage& img, int x, int y, const char* const* rows, int rowCount, const char* keys,
           const QColor* colours);

// Adds a one-pixel outline of colour c around every opaque pixel (4-neighbourhood).
void outline(QImage& img, const QColor& c);
// Nearest-neighbour enlargement by a whole factor.
QImage enlarge(const QImage& img, int factor);
// Mirror left to right.
QImage mirrored(const QImage& img);

} // namespace art
