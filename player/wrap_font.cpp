// Font and img:fontPrint: TrueType text beside the built-in 8x8 print.
#include "player/bindings.h"
#include "player/image.h"
#include "player/runtime.h"
#include "player/luapath.h"
#include "player/textcodec.h"
#include "player/textfont.h"
#include "player/wrap_color.h"
#include "player/wrap_image.h"

#include <algorithm>

namespace {

constexpr const char* kFontType = "Font";

TextFont& checkFont(lua_State* L, int idx) {
    return lua::checkObject<TextFont>(L, idx, kFontType);
}

QString pathArg(lua_State* L, int idx) {
    size_t len = 0;
    const char* s = luaL_checklstring(L, idx, &len);
    return pathFromLua(QByteArrayView(s, static_cast<qsizetype>(len)));
}

// A text's place: far beyond the screen is as good as any farther, and keeps the arithmetic
// of glyph boxes within int.
int placeArg(lua_State* L, int idx) {
    constexpr int kFar = 1 << 24;
    return std::clamp(lua::checkInt(L, idx), -kFar, kFar);
}

int w_gc(lua_State* L) {
    delete lua::takeObject<TextFont>(L, 1, kFontType);
    return 0;
}

QString textArg(lua_State* L, int idx) {
    size_t len = 0;
    const char* s = luaL_checklstring(L, idx, &len);
    return decodeLuaText(QByteArray(s, static_cast<qsizetype>(len)));
}

template <TextFont (*make)()>
int w_create(lua_State* L) {
    lua::Box<TextFont>& box = lua::newBox<TextFont>(L, kFontType);
    return lua::guarded(L, [&] {
        box.object = new TextFont(make());
        return 1;
    });
}

int w_load(lua_State* L) {
    luaL_checkstring(L, 1);
    lua::Box<TextFont>& box = lua::newBox<TextFont>(L, kFontType);
    return lua::guarded(L, [&] {
        box.object = new TextFont(TextFont::load(pathArg(L, 1)));
        return 1;
    });
}

int w_setPixelSizes(lua_State* L) {
    TextFont& font = checkFont(L, 1);
    font.setPixelSizes(lua::checkInt(L, 2), lua::checkInt(L, 3));
    return 0;
}

// f:setCharSize(width, height, dpiX, dpiY): sizes in points at the given resolution.
int w_setCharSize(lua_State* L) {
    TextFont& font = checkFont(L, 1);
    const double width = luaL_checknumber(L, 2), height = luaL_checknumber(L, 3);
    const double dpiX = luaL_optnumber(L, 4, 72), dpiY = luaL_optnumber(L, 5, 72);
    font.setPixelSizes(int(width * dpiX / 72 + 0.5), int(height * dpiY / 72 + 0.5));
    return 0;
}

int w_getTextSize(lua_State* L) {
    const TextFont& font = checkFont(L, 1);
    const QSize size = font.textSize(textArg(L, 2));
    lua_createtable(L, 0, 2);
    lua_pushinteger(L, size.width());
    lua_setfield(L, -2, "width");
    lua_pushinteger(L, size.height());
    lua_setfield(L, -2, "height");
    return 1;
}

// img:fontPrint(font, x, y, text [, color]): y is the baseline; the colour defaults to
// opaque black, as for print.
int w_fontPrint(lua_State* L) {
    Image& image = checkImage(L, 1);
    const TextFont& font = checkFont(L, 2);
    const int x = placeArg(L, 3), y = placeArg(L, 4);
    luaL_checkstring(L, 5);
    const Color color = optColor(L, 6, Color{0, 0, 0, 255});
    return lua::guarded(L, [&] {
        font.print(image, x, y, textArg(L, 5), color);
        return 0;
    });
}

void addMethod(lua_State* L, const char* type, const char* name, lua_CFunction f) {
    luaL_getmetatable(L, type);
    lua_pushcfunction(L, f);
    lua_setfield(L, -2, name);
    lua_pop(L, 1);
}

const luaL_Reg kFontMethods[] = {{"setPixelSizes", w_setPixelSizes}, {"setCharSize", w_setCharSize},
                                 {"getTextSize", w_getTextSize}, {"__gc", w_gc},
                                 {nullptr, nullptr}};
const luaL_Reg kFontFunctions[] = {{"load", w_load},
                                   {"createMonoSpaced", w_create<TextFont::monoSpaced>},
                                   {"createProportional", w_create<TextFont::proportional>},
                                   {nullptr, nullptr}};

} // namespace

void openFont(lua_State* L) {
    lua::registerType(L, kFontType, kFontMethods);
    lua::registerModule(L, "Font", kFontFunctions);
    lua_pop(L, 1);
    addMethod(L, kImageType, "fontPrint", w_fontPrint);
    addMethod(L, kScreenType, "fontPrint", w_fontPrint);
}
