#pragma once

#include <array>
#include <cstdint>

// One row per byte, top row first; bit 7 is the leftmost pixel.
using Glyph8x8 = std::array<std::uint8_t, 8>;

// The glyph of a character: printable ASCII, the accented letters of Latin-1, French quotes
// and the euro sign. Other characters get the question mark.
const Glyph8x8& glyph8x8(char16_t c);
bool hasGlyph8x8(char16_t c);
