#include "maps/paintgeometry.h"

#include <algorithm>
#include <array>
#include <cstdlib>

using mapgrid::Cell;

namespace paintgeometry {

bool onGrid(Cell cell) {
    return cell.row >= 1 && cell.row <= mapgrid::kRows && cell.column >= 1 &&
           cell.column <= mapgrid::kColumns;
}

Cell clampToGrid(Cell cell) {
    return Cell{std::clamp(cell.row, 1, mapgrid::kRows),
                std::clamp(cell.column, 1, mapgrid::kColumns)};
}

QList<Cell> lineCells(Cell from, Cell to) {
    // Walks the cells a straight segment between the two cell centres passes through; when
    // it goes exactly through a corner, the cell beside (same row) comes first.
    QList<Cell> cells;
    const int dc = std::abs(to.column - from.column);
    const int dr = std::abs(to.row - from.row);
    const int stepC = to.column > from.column ? 1 : -1;
    const int stepR = to.row > from.row ? 1 : -1;
    Cell at = from;
    if (onGrid(at))
        cells.append(at);
    // Compare the crossings of column borders (at odd multiples of dr) with those of row
    // borders (odd multiples of dc) along the segment.
    int c = 0, r = 0;
    while (c < dc || r < dr) {
        const long nextColumnBorder = long(2 * c + 1) * dr;
        const long nextRowBorder = long(2 * r + 1) * dc;
        if (r == dr || (c < dc && nextColumnBorder <= nextRowBorder)) {
            at.column += stepC;
            ++c;
        } else {
            at.row += stepR;
            ++r;
        }
        if (onGrid(at))
            cells.append(at);
    }
    return cells;
}

QList<Cell> rectangleCells(Cell corner, Cell opposite) {
    const Cell a = clampToGrid(corner);
    const Cell b = clampToGrid(opposite);
    QList<Cell> cells;
    for (int row = std::min(a.row, b.row); row <= std::max(a.row, b.row); ++row)
        for (int column = std::min(a.column, b.column); column <= std::max(a.column, b.column);
             ++column)
            cells.append(Cell{row, column});
    return cells;
}

QList<Cell> floodCells(std::span<const QString> tiles, Cell start) {
    if (!onGrid(start))
        return {};
    const auto tileOf = [&](Cell cell) {
        const size_t s = size_t(cell.slot());
        return s < tiles.size() ? tiles[s] : QString();
    };
    const QString code = tileOf(start);
    std::array<bool, mapgrid::kCells> seen{};
    QList<Cell> cells{start};
    seen[size_t(start.slot())] = true;
    // Breadth first: the list is also the queue.
    for (qsizetype next = 0; next < cells.size(); ++next) {
        const Cell at = cells[next];
        for (const Cell side : {Cell{at.row - 1, at.column}, Cell{at.row, at.column - 1},
                                Cell{at.row, at.column + 1}, Cell{at.row + 1, at.column}}) {
            if (!onGrid(side) || seen[size_t(side.slot())] || tileOf(side) != code)
                continue;
            seen[size_t(side.slot())] = true;
            cells.append(side);
        }
    }
    return cells;
}

} // namespace paintgeometry
