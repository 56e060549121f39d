// Font, Sound and Music are not played by this build yet. Games that call them keep running:
// fonts fall back to the 8x8 font, sounds and music are silent.
#include "player/bindings.h"
#include "player/image.h"
#include "player/runtime.h"
#include "player/textcodec.h"
#include "player/wrap_color.h"
#include "player/wrap_image.h"

#include <algorithm>
#include <climits>

namespace {

constexpr const char* kFontType = "Font";
constexpr const char* kSoundType = "Sound";
constexpr const char* kVoiceType = "Voice";

struct Stub {
    int unused;
};

int w_newFont(lua_State* L) {
    lua::pushValue(L, kFontType, Stub{});
    return 1;
}

int w_nothing(lua_State*) {
    return 0;
}

int w_false(lua_State* L) {
    lua_pushboolean(L, 0);
    return 1;
}

int w_getTextSize(lua_State* L) {
    luaL_checkudata(L, 1, kFontType);
    size_t len = 0;
    const char* s = luaL_checklstring(L, 2, &len);
    qsizetype chars = 0;
    lua::guarded(L, [&] {
        chars = decodeLuaText(QByteArray(s, static_cast<qsizetype>(len))).size();
        return 0;
    });
    lua_createtable(L, 0, 2);
    lua_pushinteger(L, static_cast<lua_Integer>(chars * 8));
    lua_setfield(L, -2, "width");
    lua_pushinteger(L, 8);
    lua_setfield(L, -2, "height");
    return 1;
}

// img:fontPrint(font, x, y, text [, color]): y is the baseline.
int w_fontPrint(lua_State* L) {
    Image& image = checkImage(L, 1);
    luaL_checkudata(L, 2, kFontType);
    const int x = lua::checkInt(L, 3), y = lua::checkInt(L, 4);
    size_t len = 0;
    const char* s = luaL_checklstring(L, 5, &len);
    const Color color = optColor(L, 6, Color{0, 0, 0, 255});
    return lua::guarded(L, [&] {
        image.print(x, std::max(y, INT_MIN + 7) - 7, decodeLuaText(QByteArray(s, static_cast<qsizetype>(len))), color);
        return 0;
    });
}

int w_loadSound(lua_State* L) {
    luaL_checkstring(L, 1);
    lua::pushValue(L, kSoundType, Stub{});
    return 1;
}

int w_play(lua_State* L) {
    lua::pushValue(L, kVoiceType, Stub{});
    return 1;
}

const luaL_Reg kFontMethods[] = {{"setPixelSizes", w_nothing}, {"setCharSize", w_nothing},
                                 {"getTextSize", w_getTextSize}, {nullptr, nullptr}};
const luaL_Reg kFontFunctions[] = {{"load", w_newFont}, {"createMonoSpaced", w_newFont},
                                   {"createProportional", w_newFont}, {nullptr, nullptr}};
const luaL_Reg kSoundMethods[] = {{"play", w_play}, {nullptr, nullptr}};
const luaL_Reg kSoundFunctions[] = {{"load", w_loadSound}, {nullptr, nullptr}};
const luaL_Reg kVoiceMethods[] = {{"stop", w_nothing},   {"playing", w_false},
                                  {"volume", w_nothing}, {"pan", w_nothing},
                                  {"frequency", w_nothing}, {nullptr, nullptr}};
const luaL_Reg kMusicFunctions[] = {{"playFile", w_nothing}, {"stop", w_nothing},
                                    {"pause", w_nothing},    {"resume", w_nothing},
                                    {"playing", w_false},    {"volume", w_nothing},
                                    {nullptr, nullptr}};

void addMethod(lua_State* L, const char* type, const char* name, lua_CFunction f) {
    luaL_getmetatable(L, type);
    lua_pushcfunction(L, f);
    lua_setfield(L, -2, name);
    lua_pop(L, 1);
}

} // namespace

void openExtras(lua_State* L) {
    lua::registerType(L, kFontType, kFontMethods);
    lua::registerType(L, kSoundType, kSoundMethods);
    lua::registerType(L, kVoiceType, kVoiceMethods);
    lua::registerModule(L, "Font", kFontFunctions);
    lua::registerModule(L, "Sound", kSoundFunctions);
    lua::registerModule(L, "Music", kMusicFunctions);
    lua_pop(L, 3);
    addMethod(L, kImageType, "fontPrint", w_fontPrint);
    addMethod(L, kScreenType, "fontPrint", w_fontPrint);
}
