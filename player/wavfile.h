#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

#include <cstdint>
#include <vector>

// Sound as 16-bit samples, channels interleaved.
struct PcmSound {
    int rate = 44100;
    int channels = 1;
    std::vector<std::int16_t> samples;

    std::int64_t frames() const { return channels > 0 ? std::int64_t(samples.size()) / channels : 0; }
};

// Reads a RIFF WAVE file holding PCM samples of 8 or 16 bits, mono or stereo; throws
// std::runtime_error on anything else.
PcmSound decodeWav(const QByteArray& bytes);
PcmSound loadWav(const QString& path);

// The whole file for 16-bit samples.
QByteArray encodeWav(const PcmSound& sound);

// Writes a 16-bit WAV file piece by piece; the sizes in the header are set when it closes.
class WavWriter {
public:
    WavWriter(const QString& path, int rate, int channels); // throws when it cannot be created
    ~WavWriter();
    WavWriter(const WavWriter&) = delete;
    WavWriter& operator=(const WavWriter&) = delete;

    void append(const std::int16_t* samples, std::int64_t count);
    void close();

private:
    QFile mFile;
    int mRate;
    int mChannels;
    std::int64_t mDataBytes = 0;
};
