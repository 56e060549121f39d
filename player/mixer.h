#pragma once

#include "player/musicstream.h"
#include "player/wavfile.h"

#include <array>
#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

// Mixes the sounds that play (voices) and one music into 44100 Hz stereo 16-bit samples.
// It knows no device: whoever plays or records the sound calls render(). Every function may
// be called from any thread.
//
// Ranges follow the console: a voice's volume is 0-255 (255 plays the sound as recorded),
// its pan 0 (left) to 255 (right) with the centre at 127 and 128, its frequency the number of
// the sound's frames played per second (the file's own rate at first); music volume 0-128.
class Mixer {
public:
    static constexpr int kRate = 44100;
    static constexpr int kMaxVoices = 32;
    static constexpr int kDefaultMusicVolume = 96; // as the console starts
    using VoiceId = std::uint64_t;                 // never 0; a later voice has a larger one

    Mixer();
    ~Mixer();
    Mixer(const Mixer&) = delete;
    Mixer& operator=(const Mixer&) = delete;

    // Starts the sound; when every voice is busy, the one that has played longest gives way.
    VoiceId play(std::shared_ptr<const PcmSound> sound, bool loop);
    // A voice that ended or gave way is no longer playing; the setters then do nothing.
    bool playing(VoiceId voice) const;
    void stop(VoiceId voice);
    void setVolume(VoiceId voice, int volume);
    void setPan(VoiceId voice, int pan);
    void setFrequency(VoiceId voice, int hertz);

    // The music replaces the one before. playing() stays true while paused.
    void playMusic(std::unique_ptr<MusicStream> music);
    void stopMusic();
    void pauseMusic();
    void resumeMusic();
    bool musicPlaying() const;
    int musicVolume() const;
    void setMusicVolume(int volume);

    // The next `frames` stereo frames of the mix.
    void render(std::int16_t* out, int frames);

private:
    struct Voice {
        std::shared_ptr<const PcmSound> sound;
        VoiceId id = 0; // 0: free
        std::uint64_t position = 0; // in the sound's frames, 32.32 fixed point
        std::uint64_t step = 0;     // per output frame, 32.32 fixed point
        int volume = 255;
        int pan = 127;
        bool loop = false;
    };

    Voice* find(VoiceId id);
    const Voice* find(VoiceId id) const;
    void mixVoice(Voice& voice, std::int32_t* mix, int frames);
    void mixMusic(std::int32_t* mix, int frames);

    mutable std::mutex mMutex;
    std::array<Voice, kMaxVoices> mVoices;
    VoiceId mNextId = 1;
    std::unique_ptr<MusicStream> mMusic;
    bool mMusicPaused = false;
    bool mMusicEnded = false;
    int mMusicVolume = kDefaultMusicVolume;
    std::vector<std::int32_t> mMix;
    std::vector<std::int16_t> mMusicBuffer;
};
