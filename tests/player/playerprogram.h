#pragma once

// The real luaplayer run in a folder, the sound it recorded, and its 8x8 font's pixels.

#include "player/audiooutput.h"
#include "player/font8x8.h"
#include "player/wavfile.h"
#include "testsupport/files.h"

#include <QImage>
#include <QProcess>

#include <functional>

struct ProgramRun {
    int exitCode = -1; // -1: ended by a signal, or still running after a minute
    QByteArray errors; // standard error
    QByteArray output;
};

// Waits for the started player; one that runs on is killed and counts as a failure.
inline ProgramRun finishProgram(QProcess& process) {
    const bool ended = process.waitForFinished(60000);
    if (!ended) {
        process.kill();
        process.waitForFinished();
    }
    return {ended && process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            process.readAllStandardError(), process.readAllStandardOutput()};
}

// `setUp` prepares the process (environment, limits).
inline ProgramRun runLuaplayer(const QString& dir, const QStringList& arguments,
                               const std::function<void(QProcess&)>& setUp = {}) {
    QProcess process;
    if (setUp)
        setUp(process);
    process.setWorkingDirectory(dir);
    process.start(QStringLiteral(QUENDAL_APP_BUILD_DIR "/luaplayer"), arguments);
    return finishProgram(process);
}

// The WAV file --audio-out wrote; none when it cannot be read.
inline PcmSound recordedSound(const QString& path) {
    try {
        return decodeWav(bytesOf(path));
    } catch (const std::exception&) {
        return {};
    }
}

// Largest left sample of the stereo mix from vertical blank `from` to `to`.
inline int peak(const PcmSound& mix, int from, int to) {
    int p = 0;
    for (size_t i = size_t(from) * AudioOutput::kFrameSamples;
         i < size_t(to) * AudioOutput::kFrameSamples && 2 * i < mix.samples.size(); ++i)
        p = std::max(p, std::abs(int(mix.samples[2 * i])));
    return p;
}

// Paints the text's glyphs at (x, y) as screen:print does, clipped to the image.
inline void paintGlyphs(QImage& image, int x, int y, const QString& text, QRgb colour) {
    for (int i = 0; i < text.size(); ++i) {
        const Glyph8x8& glyph = glyph8x8(text[i].unicode());
        for (int row = 0; row < 8; ++row)
            for (int col = 0; col < 8; ++col)
                if ((glyph[row] >> (7 - col)) & 1 && image.valid(x + 8 * i + col, y + row))
                    image.setPixel(x + 8 * i + col, y + row, colour);
    }
}
