#pragma once

#include "project/mapgrid.h"

#include <QList>
#include <QString>

#include <optional>
#include <span>

// The cells a drawing tool reaches, as plain functions of the grid: every result lies on the
// 17 x 8 cells the editor shows, in a fixed order, without repeats.
namespace paintgeometry {

// The cells a pointer crosses going straight from one cell to another, both included, from
// `from` to `to`: each step moves to a cell that shares a side with the one before, so that a
// quick drag leaves no gap, even a diagonal one.
QList<mapgrid::Cell> lineCells(mapgrid::Cell from, mapgrid::Cell to);

// The cells of the rectangle with these two opposite corners, row by row.
QList<mapgrid::Cell> rectangleCells(mapgrid::Cell corner, mapgrid::Cell opposite);

// The cells reached from `start` through cells sharing a side whose tile text equals the
// start cell's, start first, in the order they are reached. `tiles` holds the tile text of
// each slot; slots it does not hold count as empty text.
QList<mapgrid::Cell> floodCells(std::span<const QString> tiles, mapgrid::Cell start);

// The cell closest to a cell outside the grid, so a rectangle dragged past an edge stops at
// the edge.
mapgrid::Cell clampToGrid(mapgrid::Cell cell);
bool onGrid(mapgrid::Cell cell);

} // namespace paintgeometry
