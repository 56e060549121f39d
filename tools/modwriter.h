#pragma once

#include <QByteArray>

#include <array>
#include <cstdint>
#include <vector>

// Writes 4-channel ProTracker modules ("M.K."), the simplest tracker format: up to 31 samples
// of signed 8-bit sound, patterns of 64 rows and an order list.
namespace tracker {

struct Sample {
    QByteArray name;            // at most 22 characters
    std::vector<std::int8_t> data; // an even number of bytes
    int volume = 64;            // 0 to 64
    int loopStart = 0;          // in bytes, even
    int loopLength = 0;         // in bytes, even; 0: plays once
};

// One channel of one row. sample counts from 1; 0 keeps the channel's sample.
struct Cell {
    int period = 0; // 0: no new note
    int sample = 0;
    int effect = 0;
    int param = 0;
};

constexpr int kChannels = 4;
constexpr int kRows = 64;
using Pattern = std::array<std::array<Cell, kChannels>, kRows>;

struct Song {
    QByteArray title; // at most 20 characters
    std::vector<Sample> samples;
    std::vector<Pattern> patterns;
    std::vector<int> order; // pattern numbers, at most 128
};

// Amiga period of a note such as "C-2", "F#1" (octaves 1 to 3); throws for anything else.
int period(const char* note);

QByteArray encodeMod(const Song& song);

// Effects used by the tunes.
constexpr int kVolumeSlide = 0xA; // param 0x0y: down y per tick
constexpr int kPatternBreak = 0xD;
constexpr int kSetVolume = 0xC;
constexpr int kSetSpeed = 0xF;

} // namespace tracker
