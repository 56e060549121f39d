#include "player/mixer.h"

#include <algorithm>

namespace {

constexpr std::uint64_t kOne = std::uint64_t(1) << 32;
constexpr int kMaxFrequency = 100000;

std::uint64_t stepFor(int hertz) {
    return (std::uint64_t(std::clamp(hertz, 1, kMaxFrequency)) << 32) / Mixer::kRate;
}

// Gains of the left and right sides, out of 127: a balance that keeps the centre at full
// level on both sides.
int leftGain(int pan) { return std::min(127, 255 - pan); }
int rightGain(int pan) { return std::min(127, pan); }

} // namespace

Mixer::Mixer() = default;
Mixer::~Mixer() = default;

Mixer::Voice* Mixer::find(VoiceId id) {
    for (Voice& v : mVoices)
        if (v.id == id && id != 0)
            return &v;
    return nullptr;
}

const Mixer::Voice* Mixer::find(VoiceId id) const {
    return const_cast<Mixer*>(this)->find(id);
}

Mixer::VoiceId Mixer::play(std::shared_ptr<const PcmSound> sound, bool loop) {
    std::shared_ptr<const PcmSound> replaced; // freed after the lock is released
    std::lock_guard lock(mMutex);
    Voice* slot = nullptr;
    for (Voice& v : mVoices)
        if (v.id == 0) {
            slot = &v;
            break;
        }
    if (!slot)
        slot = &*std::min_element(mVoices.begin(), mVoices.end(),
                                  [](const Voice& a, const Voice& b) { return a.id < b.id; });
    replaced = std::move(slot->sound);
    const int rate = sound->rate;
    *slot = Voice{};
    slot->sound = std::move(sound);
    slot->id = mNextId++;
    slot->step = stepFor(rate);
    slot->loop = loop;
    return slot->id;
}

bool Mixer::playing(VoiceId voice) const {
    std::lock_guard lock(mMutex);
    return find(voice) != nullptr;
}

void Mixer::stop(VoiceId voice) {
    std::shared_ptr<const PcmSound> released;
    std::lock_guard lock(mMutex);
    if (Voice* v = find(voice)) {
        released = std::move(v->sound);
        v->id = 0;
    }
}

void Mixer::setVolume(VoiceId voice, int volume) {
    std::lock_guard lock(mMutex);
    if (Voice* v = find(voice))
        v->volume = std::clamp(volume, 0, 255);
}

void Mixer::setPan(VoiceId voice, int pan) {
    std::lock_guard lock(mMutex);
    if (Voice* v = find(voice))
        v->pan = std::clamp(pan, 0, 255);
}

void Mixer::setFrequency(VoiceId voice, int hertz) {
    std::lock_guard lock(mMutex);
    if (Voice* v = find(voice))
        v->step = stepFor(hertz);
}

void Mixer::playMusic(std::unique_ptr<MusicStream> music) {
    std::unique_ptr<MusicStream> old;
    {
        std::lock_guard lock(mMutex);
        old = std::move(mMusic);
        mMusic = std::move(music);
        mMusicPaused = false;
        mMusicEnded = false;
    }
}

void Mixer::stopMusic() {
    playMusic(nullptr);
}

void Mixer::pauseMusic() {
    std::lock_guard lock(mMutex);
    mMusicPaused = true;
}

void Mixer::resumeMusic() {
    std::lock_guard lock(mMutex);
    mMusicPaused = false;
}

bool Mixer::musicPlaying() const {
    std::lock_guard lock(mMutex);
    return mMusic && !mMusicEnded;
}

int Mixer::musicVolume() const {
    std::lock_guard lock(mMutex);
    return mMusicVolume;
}

void Mixer::setMusicVolume(int volume) {
    std::lock_guard lock(mMutex);
    mMusicVolume = std::clamp(volume, 0, 128);
}

void Mixer::render(std::int16_t* out, int frames) {
    std::lock_guard lock(mMutex);
    mMix.assign(size_t(frames) * 2, 0);
    for (Voice& v : mVoices)
        if (v.id != 0)
            mixVoice(v, mMix.data(), frames);
    mixMusic(mMix.data(), frames);
    for (size_t i = 0; i < mMix.size(); ++i)
        out[i] = std::int16_t(std::clamp(mMix[i], -32768, 32767));
}

void Mixer::mixVoice(Voice& v, std::int32_t* mix, int frames) {
    const PcmSound& s = *v.sound;
    const std::int64_t length = s.frames();
    const std::uint64_t end = std::uint64_t(length) << 32;
    // Gains out of 255 * 127; each output sample is the linear blend of two source frames.
    const std::int64_t left = std::int64_t(v.volume) * leftGain(v.pan);
    const std::int64_t right = std::int64_t(v.volume) * rightGain(v.pan);
    constexpr std::int64_t kUnit = 255 * 127;
    const int c = s.channels;
    for (int i = 0; i < frames; ++i) {
        if (v.position >= end) {
            if (!v.loop || length == 0) {
                v.id = 0;
                return;
            }
            v.position %= end;
        }
        const std::int64_t at = std::int64_t(v.position >> 32);
        const std::int64_t frac = std::int64_t((v.position & (kOne - 1)) >> 16); // 16 bits
        std::int64_t next = at + 1;
        if (next >= length)
            next = v.loop ? 0 : at;
        const auto sample = [&](int channel) {
            const std::int64_t a = s.samples[size_t(at * c + channel)];
            const std::int64_t b = s.samples[size_t(next * c + channel)];
            return a + (((b - a) * frac) >> 16);
        };
        const std::int64_t l = sample(0);
        const std::int64_t r = c == 2 ? sample(1) : l;
        mix[2 * i] += std::int32_t(l * left / kUnit);
        mix[2 * i + 1] += std::int32_t(r * right / kUnit);
        v.position += v.step;
    }
    if (v.position >= end && !v.loop)
        v.id = 0;
}

void Mixer::mixMusic(std::int32_t* mix, int frames) {
    if (!mMusic || mMusicPaused || mMusicEnded)
        return;
    mMusicBuffer.resize(size_t(frames) * 2);
    if (!mMusic->render(mMusicBuffer.data(), frames))
        mMusicEnded = true;
    for (size_t i = 0; i < mMusicBuffer.size(); ++i)
        mix[i] += std::int32_t(mMusicBuffer[i]) * mMusicVolume / 128;
}
