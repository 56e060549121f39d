#pragma once

#include "player/wavfile.h"

#include <cstdint>
#include <vector>

class Mixer;

// Where the mix goes. vblank() is called once per vertical blank; outputs that take the
// sound at the game's pace render one frame's worth of samples there.
class AudioOutput {
public:
    static constexpr int kFrameSamples = 735; // 44100 Hz / 60 frames per second
    virtual ~AudioOutput() = default;
    virtual void vblank(Mixer& mixer) = 0;
};

// No sound heard: the mix still advances by one frame per vertical blank, so voices end and
// music moves on exactly as they would be heard.
class SilentOutput : public AudioOutput {
public:
    void vblank(Mixer& mixer) override;

private:
    std::vector<std::int16_t> mBuffer;
};

// Records one frame's worth of the mix per vertical blank into a WAV file.
class WavFileOutput : public AudioOutput {
public:
    explicit WavFileOutput(const QString& path); // throws when the file cannot be made
    void vblank(Mixer& mixer) override;

private:
    WavWriter mWriter;
    std::vector<std::int16_t> mBuffer;
};
