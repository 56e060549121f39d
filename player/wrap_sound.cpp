// Sound, its voices, and Music: the console's sound API over the player's mixer.
#include "player/audio.h"
#include "player/bindings.h"
#include "player/modulemusic.h"
#include "player/runtime.h"
#include "player/luapath.h"

#include <cstdio>
#include <memory>

namespace {

constexpr const char* kSoundType = "Sound";
constexpr const char* kVoiceType = "Voice";
char kMixerKey;

// A loaded sound; the samples stay alive while a voice plays them, even after collection.
struct SoundClip {
    std::shared_ptr<const PcmSound> pcm;
    bool loop = false;
};

struct VoiceHandle {
    Mixer::VoiceId id;
};

QString pathArg(lua_State* L, int idx) {
    size_t len = 0;
    const char* s = luaL_checklstring(L, idx, &len);
    return pathFromLua(QByteArrayView(s, static_cast<qsizetype>(len)));
}

Mixer& mixer(lua_State* L) {
    lua_pushlightuserdata(L, &kMixerKey);
    lua_gettable(L, LUA_REGISTRYINDEX);
    auto* m = static_cast<Mixer*>(lua_touserdata(L, -1));
    lua_pop(L, 1);
    return *m;
}

int w_load(lua_State* L) {
    luaL_checkstring(L, 1);
    const bool loop = lua_toboolean(L, 2) != 0;
    lua::Box<SoundClip>& box = lua::newBox<SoundClip>(L, kSoundType);
    return lua::guarded(L, [&] {
        auto pcm = std::make_shared<const PcmSound>(loadWav(pathArg(L, 1)));
        box.object = new SoundClip{std::move(pcm), loop};
        return 1;
    });
}

int w_gcSound(lua_State* L) {
    delete lua::takeObject<SoundClip>(L, 1, kSoundType);
    return 0;
}

int w_play(lua_State* L) {
    const SoundClip& clip = lua::checkObject<SoundClip>(L, 1, kSoundType);
    lua::pushValue(L, kVoiceType, VoiceHandle{mixer(L).play(clip.pcm, clip.loop)});
    return 1;
}

Mixer::VoiceId voiceArg(lua_State* L) {
    return lua::checkValue<VoiceHandle>(L, 1, kVoiceType).id;
}

int w_stop(lua_State* L) {
    mixer(L).stop(voiceArg(L));
    return 0;
}

int w_playing(lua_State* L) {
    lua_pushboolean(L, mixer(L).playing(voiceArg(L)));
    return 1;
}

int w_volume(lua_State* L) {
    const Mixer::VoiceId id = voiceArg(L);
    mixer(L).setVolume(id, lua::checkInt(L, 2));
    return 0;
}

int w_pan(lua_State* L) {
    const Mixer::VoiceId id = voiceArg(L);
    mixer(L).setPan(id, lua::checkInt(L, 2));
    return 0;
}

int w_frequency(lua_State* L) {
    const Mixer::VoiceId id = voiceArg(L);
    mixer(L).setFrequency(id, lua::checkInt(L, 2));
    return 0;
}

// Music.playFile(path [, loop]): a missing file is an error; a file that is no module plays
// nothing, as on the console, with a line on standard error.
int w_playFile(lua_State* L) {
    luaL_checkstring(L, 1);
    const bool loop = lua_toboolean(L, 2) != 0;
    return lua::guarded(L, [&] {
        const QString path = pathArg(L, 1);
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            throw std::runtime_error("cannot open music file: " + path.toStdString());
        std::unique_ptr<ModuleMusic> music;
        try {
            music = std::make_unique<ModuleMusic>(file.readAll(), loop);
        } catch (const std::exception&) {
            std::fprintf(stderr, "luaplayer: musique illisible : %s\n", path.toLocal8Bit().constData());
        }
        mixer(L).playMusic(std::move(music));
        return 0;
    });
}

int w_musicStop(lua_State* L) {
    mixer(L).stopMusic();
    return 0;
}

int w_musicPause(lua_State* L) {
    mixer(L).pauseMusic();
    return 0;
}

int w_musicResume(lua_State* L) {
    mixer(L).resumeMusic();
    return 0;
}

int w_musicPlaying(lua_State* L) {
    lua_pushboolean(L, mixer(L).musicPlaying());
    return 1;
}

// Music.volume([v]): sets the volume (0-128) when given; returns the volume.
int w_musicVolume(lua_State* L) {
    if (!lua_isnoneornil(L, 1))
        mixer(L).setMusicVolume(lua::checkInt(L, 1));
    lua_pushinteger(L, mixer(L).musicVolume());
    return 1;
}

const luaL_Reg kSoundMethods[] = {{"play", w_play}, {"__gc", w_gcSound}, {nullptr, nullptr}};
const luaL_Reg kSoundFunctions[] = {{"load", w_load}, {nullptr, nullptr}};
const luaL_Reg kVoiceMethods[] = {{"stop", w_stop},     {"playing", w_playing},
                                  {"volume", w_volume}, {"pan", w_pan},
                                  {"frequency", w_frequency}, {nullptr, nullptr}};
const luaL_Reg kMusicFunctions[] = {{"playFile", w_playFile}, {"stop", w_musicStop},
                                    {"pause", w_musicPause},  {"resume", w_musicResume},
                                    {"playing", w_musicPlaying}, {"volume", w_musicVolume},
                                    {nullptr, nullptr}};

} // namespace

void openSound(lua_State* L, Audio& audio) {
    lua_pushlightuserdata(L, &kMixerKey);
    lua_pushlightuserdata(L, &audio.mixer());
    lua_settable(L, LUA_REGISTRYINDEX);
    lua::registerType(L, kSoundType, kSoundMethods);
    lua::registerType(L, kVoiceType, kVoiceMethods);
    lua::registerModule(L, "Sound", kSoundFunctions);
    lua::registerModule(L, "Music", kMusicFunctions);
    lua_pop(L, 2);
}
