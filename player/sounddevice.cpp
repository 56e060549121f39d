#include "player/sounddevice.h"

#include "player/mixer.h"

#define SDL_MAIN_HANDLED
#include <SDL.h>

#include <fcntl.h>
#include <unistd.h>

namespace {

// Sound libraries tried on the way (ALSA's above all) print their own complaints on
// standard error when there is no device; the player reports a failure in one line.
class QuietStderr {
public:
    QuietStderr() : mSaved(dup(STDERR_FILENO)) {
        const int null = ::open("/dev/null", O_WRONLY);
        if (null >= 0) {
            dup2(null, STDERR_FILENO);
            ::close(null);
        }
    }
    ~QuietStderr() {
        if (mSaved >= 0) {
            dup2(mSaved, STDERR_FILENO);
            ::close(mSaved);
        }
    }
    QuietStderr(const QuietStderr&) = delete;
    QuietStderr& operator=(const QuietStderr&) = delete;

private:
    int mSaved;
};

void fill(void* mixer, Uint8* stream, int bytes) {
    static_cast<Mixer*>(mixer)->render(reinterpret_cast<std::int16_t*>(stream), bytes / 4);
}

} // namespace

std::unique_ptr<SoundDevice> SoundDevice::open(Mixer& mixer, QString& error) {
    SDL_SetMainReady();
    const QuietStderr quiet;
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
        error = QString::fromUtf8(SDL_GetError());
        return nullptr;
    }
    SDL_AudioSpec wanted{};
    wanted.freq = Mixer::kRate;
    wanted.format = AUDIO_S16SYS;
    wanted.channels = 2;
    wanted.samples = 1024; // about 23 ms
    wanted.callback = fill;
    wanted.userdata = &mixer;
    // SDL converts to whatever the device takes.
    const SDL_AudioDeviceID device = SDL_OpenAudioDevice(nullptr, 0, &wanted, nullptr, 0);
    if (device == 0) {
        error = QString::fromUtf8(SDL_GetError());
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return nullptr;
    }
    SDL_PauseAudioDevice(device, 0);
    return std::unique_ptr<SoundDevice>(new SoundDevice(device));
}

SoundDevice::~SoundDevice() {
    SDL_CloseAudioDevice(mDevice);
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
}
