#include "soundart.h"

#include "modwriter.h"

#include <cmath>

namespace soundart {

namespace {

using tracker::Cell;
using tracker::Pattern;

constexpr double kPi = 3.14159265358979323846;

// Instruments, numbered from 1 as the module counts them.
enum Instrument { Lead = 1, Harp = 2, Bass = 3, Hat = 4 };
enum Channel { MelodyChannel, HarpChannel, BassChannel, DrumChannel };

// One cycle of 32 samples, looped: the pitch is the note's.
tracker::Sample cycle(const char* name, int volume, double (*wave)(double)) {
    tracker::Sample s;
    s.name = name;
    s.volume = volume;
    for (int i = 0; i < 32; ++i)
        s.data.push_back(std::int8_t(std::lround(wave((i + 0.5) / 32) * 100)));
    s.loopStart = 0;
    s.loopLength = 32;
    return s;
}

double pulse(double t) { return t < 0.25 ? 1.0 : -0.45; }
double triangle(double t) { return t < 0.5 ? 4 * t - 1 : 3 - 4 * t; }
double softSine(double t) { return std::sin(2 * kPi * t) * 0.8 + std::sin(6 * kPi * t) * 0.2; }

// A short burst of noise that dies away, played once.
tracker::Sample hat() {
    tracker::Sample s;
    s.name = "hat";
    s.volume = 64;
    std::uint32_t seed = 12345;
    for (int i = 0; i < 1200; ++i) {
        seed = seed * 1103515245u + 12345u;
        const double noise = double((seed >> 16) & 0x7FFF) / 16384.0 - 1.0;
        s.data.push_back(std::int8_t(std::lround(noise * 90 * std::exp(-i / 180.0))));
    }
    s.data[0] = s.data[1] = 0;
    return s;
}

// Writes a line of notes "C-3:4 E-3:2 ...:2" (a dot rests) from row `row` of the pattern; each
// note fades by `fade` per tick on the rows it lasts.
int line(Pattern& p, int channel, int row, int instrument, int fade, const char* notes) {
    QByteArray text(notes);
    for (const QByteArray& item : text.split(' ')) {
        if (item.isEmpty())
            continue;
        const QList<QByteArray> parts = item.split(':');
        const int length = parts[1].toInt();
        if (parts[0] != ".") {
            Cell& c = p[size_t(row)][size_t(channel)];
            c.period = tracker::period(parts[0].constData());
            c.sample = instrument;
            for (int r = row + 1; r < row + length && r < tracker::kRows; ++r)
                p[size_t(r)][size_t(channel)] = Cell{0, 0, tracker::kVolumeSlide, fade};
        }
        row += length;
    }
    return row;
}

// Each bar: a chord for the harp's broken chord and the bass's root.
struct Bar {
    const char* melody;
    const char* harp;  // four chord notes, repeated over the bar
    const char* bass;
};

void bar(Pattern& p, int start, const Bar& b) {
    line(p, MelodyChannel, start, Lead, 1, b.melody);
    QByteArray harp;
    for (int k = 0; k < 2; ++k)
        harp += QByteArray(b.harp) + ' ';
    line(p, HarpChannel, start, Harp, 3, harp.constData());
    line(p, BassChannel, start, Bass, 1, b.bass);
    for (int beat = 0; beat < 4; ++beat) {
        Cell& c = p[size_t(start + 4 * beat)][DrumChannel];
        c = Cell{tracker::period("C-3"), Hat, tracker::kSetVolume, beat % 2 ? 28 : 14};
    }
}

// A minor, F, C, G, then A minor, F, G, C: a round little air in the mood of the castle.
constexpr Bar kBars[8] = {
    {"E-3:4 A-3:4 G-3:2 E-3:2 D-3:4", "A-2:2 C-3:2 E-3:2 C-3:2", "A-1:8 E-1:8"},
    {"F-3:4 E-3:2 D-3:2 C-3:8", "F-2:2 A-2:2 C-3:2 A-2:2", "F-1:8 C-2:8"},
    {"E-3:4 G-3:4 A-3:2 G-3:2 E-3:4", "C-3:2 E-3:2 G-3:2 E-3:2", "C-2:8 G-1:8"},
    {"D-3:6 B-2:2 D-3:4 G-2:4", "G-2:2 B-2:2 D-3:2 B-2:2", "G-1:8 D-2:8"},
    {"E-3:4 A-3:4 B-3:2 A-3:2 G-3:4", "A-2:2 C-3:2 E-3:2 C-3:2", "A-1:8 E-1:8"},
    {"A-3:4 G-3:2 F-3:2 E-3:4 D-3:4", "F-2:2 A-2:2 C-3:2 A-2:2", "F-1:8 C-2:8"},
    {"D-3:4 E-3:2 F-3:2 G-3:4 B-2:4", "G-2:2 B-2:2 D-3:2 B-2:2", "G-1:8 D-2:8"},
    {"C-3:12 .:4", "C-3:2 E-3:2 G-3:2 E-3:2", "C-2:12 .:4"},
};

} // namespace

QByteArray titleTune() {
    tracker::Song song;
    song.title = "Quendal";
    song.samples = {cycle("lead", 44, pulse), cycle("harp", 26, softSine), cycle("bass", 48, triangle), hat()};
    song.patterns.resize(2);
    for (int b = 0; b < 8; ++b)
        bar(song.patterns[size_t(b / 4)], (b % 4) * 16, kBars[b]);
    song.patterns[0][0][MelodyChannel].effect = tracker::kSetSpeed;
    song.patterns[0][0][MelodyChannel].param = 6;
    song.order = {0, 1};
    return tracker::encodeMod(song);
}

PcmSound wallSound() {
    PcmSound sound;
    sound.rate = 22050;
    sound.channels = 1;
    const int length = sound.rate * 9 / 100; // 90 ms
    double phase = 0;
    std::uint32_t seed = 777;
    for (int i = 0; i < length; ++i) {
        const double t = double(i) / sound.rate;
        const double pitch = 60 + 140 * std::exp(-t * 40); // falls from 200 Hz to 60 Hz
        phase += 2 * kPi * pitch / sound.rate;
        seed = seed * 1103515245u + 12345u;
        const double noise = double((seed >> 16) & 0x7FFF) / 16384.0 - 1.0;
        const double knock = std::sin(phase) * std::exp(-t * 30) + noise * 0.35 * std::exp(-t * 200);
        const double fadeIn = std::min(1.0, i / 40.0); // no click at the start
        sound.samples.push_back(std::int16_t(std::lround(std::clamp(knock, -1.0, 1.0) * 20000 * fadeIn)));
    }
    return sound;
}

} // namespace soundart
