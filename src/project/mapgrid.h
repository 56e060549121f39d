#pragma once

// The map grid every part of the program shares: 17 columns, of which the editor and the game
// show, edit and play 8 rows; map and collision files carry 9 row lines, and the generated
// event function covers those 9 rows. Rows and columns count from 1. A map editor keeps a
// cell's tile code and collision flag in slot (row - 1) * 17 + (column - 1) of two stores of
// 201 slots (the reset clears them all).
namespace mapgrid {

inline constexpr int kColumns = 17;
inline constexpr int kRows = 8;      // rows shown, edited and played
inline constexpr int kFileRows = 9;  // row lines of a map or collision file
inline constexpr int kEventRows = 9; // rows of the generated event function
inline constexpr int kCells = kColumns * kRows;
inline constexpr int kSlots = 201;

// A cell's size on the editor's canvas, in pixels at zoom 1.
inline constexpr int kCellWidth = 28;
inline constexpr int kCellHeight = 29;

constexpr int slot(int row, int column) { return (row - 1) * kColumns + (column - 1); }

struct Cell {
    int row = 0;
    int column = 0;
    constexpr int slot() const { return mapgrid::slot(row, column); }
    friend bool operator==(const Cell&, const Cell&) = default;
};

constexpr Cell cellOfSlot(int slot) { return Cell{slot / kColumns + 1, slot % kColumns + 1}; }

} // namespace mapgrid
