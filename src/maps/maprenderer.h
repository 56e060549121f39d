#pragma once

#include "maps/tilecache.h"

#include <QColor>
#include <QImage>
#include <QPoint>
#include <QString>
#include <QStringList>

#include <optional>
#include <span>

// Geometry of the map canvas: 17 x 8 cells of 28 x 29 pixels from the top left corner of a
// 481 x 249 picture. The strips from x = 476 and from y = 232 belong to no cell.
namespace mapgrid {
inline constexpr int kColumns = 17;
inline constexpr int kRows = 8;
inline constexpr int kCellWidth = 28;
inline constexpr int kCellHeight = 29;
inline constexpr int kCanvasWidth = 481;
inline constexpr int kCanvasHeight = 249;
inline constexpr int kCells = kColumns * kRows; // 136 cells shown
inline constexpr int kSlots = 201;              // size of the tile and collision stores

// A cell of the grid: row and column counted from 1, slot = (row - 1) * 17 + (column - 1).
struct Cell {
    int row = 0;
    int column = 0;
    int slot = 0;
    friend bool operator==(const Cell&, const Cell&) = default;
};

// The cell under a canvas position, or nothing outside the grid.
std::optional<Cell> cellAt(QPoint position);
// Top left pixel of a cell.
QPoint cellOrigin(int row, int column);
} // namespace mapgrid

// Paints a map onto a persistent 481 x 249 picture. A paint does not clear the picture: what
// it does not cover (a cell left unpainted, the part of a cell a smaller tile leaves free,
// the strips outside the grid) keeps what was painted there before.
class MapRenderer {
public:
    explicit MapRenderer(QColor background = QColor(0xF0, 0xF0, 0xF0));

    // For each of the 136 cells, row by row: the picture of its tile code from texture set
    // textureSet (set number text, used as given) at its own size with its top left on the
    // cell's top left, then, when the collision flag is "1", a white "X" at (x + 5, y).
    // A code that is not a decimal number (the empty text included), or whose picture is
    // unreadable, leaves the cell unpainted. Stores shorter than 136 count as empty slots.
    void paint(std::span<const QString> tiles, std::span<const QString> collisions,
               const QString& appDir, const QString& textureSet);
    void paint(const QStringList& tiles, const QStringList& collisions, const QString& appDir,
               const QString& textureSet) {
        paint(std::span(tiles.constData(), size_t(tiles.size())),
              std::span(collisions.constData(), size_t(collisions.size())), appDir, textureSet);
    }

    const QImage& image() const { return mImage; }
    // Writable picture, so that tests and owners can set the pixels a paint leaves alone.
    QImage& image() { return mImage; }
    TileCache& cache() { return mCache; }

private:
    QImage mImage;
    TileCache mCache;
};
