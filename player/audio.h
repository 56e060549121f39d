#pragma once

#include "player/audiooutput.h"
#include "player/mixer.h"

#include <memory>

// The sound of a run: the mixer and where its output goes, silent until told otherwise.
class Audio {
public:
    Audio() : mOutput(std::make_unique<SilentOutput>()) {}

    Mixer& mixer() { return mMixer; }
    void setOutput(std::unique_ptr<AudioOutput> output) { mOutput = std::move(output); }
    void vblank() { mOutput->vblank(mMixer); }

private:
    Mixer mMixer; // declared first: the output, which may still be taking sound, goes first
    std::unique_ptr<AudioOutput> mOutput;
};
