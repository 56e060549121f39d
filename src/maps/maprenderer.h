#pragma once

#include "maps/tilecache.h"
#include "project/mapgrid.h"

#include <QColor>
#include <QImage>
#include <QList>
#include <QPoint>
#include <QRect>
#include <QRegion>
#include <QString>
#include <QStringList>

#include <optional>
#include <span>

// Geometry of the map canvas at zoom 1: the cells of mapgrid from the top left corner of a
// 481 x 249 picture. The strips from x = 476 and from y = 232 belong to no cell.
namespace mapgrid {
inline constexpr int kCanvasWidth = 481;
inline constexpr int kCanvasHeight = 249;

// The cell under a canvas position, or nothing outside the grid.
std::optional<Cell> cellAt(QPoint position);
// The cell a canvas position would be in were the grid endless (rows and columns below 1 or
// past the last included), for gestures that go past the grid's edges.
Cell cellUnder(QPoint position);
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
               const QString& dataDir, const QString& textureSet);
    void paint(const QStringList& tiles, const QStringList& collisions, const QString& dataDir,
               const QString& textureSet) {
        paint(std::span(tiles.constData(), size_t(tiles.size())),
              std::span(collisions.constData(), size_t(collisions.size())), dataDir, textureSet);
    }

    // Paints the cells of the `changed` slots (those of the 8 rows shown) again,
    // leaving every pixel as a full paint would: the cells whose picture or mark reaches
    // into them are painted again within their area, in the same order. Returns that area.
    QRegion paintCells(std::span<const QString> tiles, std::span<const QString> collisions,
                       const QString& dataDir, const QString& textureSet,
                       const QList<int>& changed);

    // Cells painted so far, whole or in part (for tests and measurements).
    int cellsPainted() const { return mCellsPainted; }

    const QImage& image() const { return mImage; }
    // Writable picture, so that tests and owners can set the pixels a paint leaves alone.
    QImage& image() { return mImage; }
    TileCache& cache() { return mCache; }

private:
    struct Stores {
        std::span<const QString> tiles;
        std::span<const QString> collisions;
    };
    class Pass;

    QImage mImage;
    TileCache mCache;
    int mCellsPainted = 0;
};
