#include "modwriter.h"

#include <cstring>
#include <stdexcept>

namespace tracker {

namespace {

// ProTracker's periods for octaves 1 to 3, C to B.
constexpr int kOctaveOne[12] = {856, 808, 762, 720, 678, 640, 604, 570, 538, 508, 480, 453};
constexpr const char* kNames[12] = {"C-", "C#", "D-", "D#", "E-", "F-", "F#", "G-", "G#", "A-", "A#", "B-"};
constexpr int kOctaveTwo[12] = {428, 404, 381, 360, 339, 320, 302, 285, 269, 254, 240, 226};
constexpr int kOctaveThree[12] = {214, 202, 190, 180, 170, 160, 151, 143, 135, 127, 120, 113};

void putText(QByteArray& out, const QByteArray& text, int size) {
    QByteArray field = text.left(size);
    field.append(QByteArray(size - field.size(), '\0'));
    out += field;
}

void put16(QByteArray& out, int value) {
    out += char((value >> 8) & 0xFF);
    out += char(value & 0xFF);
}

} // namespace

int period(const char* note) {
    if (std::strlen(note) == 3 && note[2] >= '1' && note[2] <= '3')
        for (int k = 0; k < 12; ++k)
            if (std::strncmp(note, kNames[k], 2) == 0) {
                const int octave = note[2] - '0';
                return octave == 1 ? kOctaveOne[k] : octave == 2 ? kOctaveTwo[k] : kOctaveThree[k];
            }
    throw std::invalid_argument(std::string("not a note: ") + note);
}

QByteArray encodeMod(const Song& song) {
    if (song.samples.size() > 31 || song.order.empty() || song.order.size() > 128)
        throw std::invalid_argument("a module holds 1 to 128 orders and at most 31 samples");
    QByteArray out;
    putText(out, song.title, 20);
    for (size_t i = 0; i < 31; ++i) {
        const Sample s = i < song.samples.size() ? song.samples[i] : Sample{};
        putText(out, s.name, 22);
        put16(out, int(s.data.size() / 2));
        out += char(0); // finetune
        out += char(s.volume);
        put16(out, s.loopLength > 0 ? s.loopStart / 2 : 0);
        put16(out, s.loopLength > 0 ? s.loopLength / 2 : 1);
    }
    out += char(song.order.size());
    out += char(127);
    QByteArray order(128, '\0');
    for (size_t i = 0; i < song.order.size(); ++i)
        order[qsizetype(i)] = char(song.order[i]);
    out += order;
    out += "M.K.";
    for (const Pattern& pattern : song.patterns)
        for (const auto& row : pattern)
            for (const Cell& c : row) {
                out += char((c.sample & 0xF0) | ((c.period >> 8) & 0x0F));
                out += char(c.period & 0xFF);
                out += char(((c.sample & 0x0F) << 4) | (c.effect & 0x0F));
                out += char(c.param & 0xFF);
            }
    for (const Sample& s : song.samples)
        out += QByteArray(reinterpret_cast<const char*>(s.data.data()), qsizetype(s.data.size()));
    return out;
}

} // namespace tracker
