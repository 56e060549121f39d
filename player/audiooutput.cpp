#include "player/audiooutput.h"

#include "player/mixer.h"

void SilentOutput::vblank(Mixer& mixer) {
    mBuffer.resize(kFrameSamples * 2);
    mixer.render(mBuffer.data(), kFrameSamples);
}

WavFileOutput::WavFileOutput(const QString& path) : mWriter(path, Mixer::kRate, 2) {}

void WavFileOutput::vblank(Mixer& mixer) {
    mBuffer.resize(kFrameSamples * 2);
    mixer.render(mBuffer.data(), kFrameSamples);
    mWriter.append(mBuffer.data(), std::int64_t(mBuffer.size()));
}
