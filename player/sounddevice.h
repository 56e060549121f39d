#pragma once

#include "player/audiooutput.h"

#include <QString>

#include <memory>

// The computer's sound output. Its own thread takes the mix as the device needs it, so the
// sound keeps flowing while a script is busy between two frames.
class SoundDevice : public AudioOutput {
public:
    // nullptr, with the reason in `error`, when no device can be opened.
    static std::unique_ptr<SoundDevice> open(Mixer& mixer, QString& error);
    ~SoundDevice() override;
    SoundDevice(const SoundDevice&) = delete;
    SoundDevice& operator=(const SoundDevice&) = delete;

    void vblank(Mixer&) override {} // the device sets the pace

private:
    explicit SoundDevice(std::uint32_t device) : mDevice(device) {}
    std::uint32_t mDevice;
};
