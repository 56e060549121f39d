#include "player/wrap_image.h"

#include "player/bindings.h"
#include "player/image.h"
#include "player/luaplayer.h"
#include "player/luapath.h"
#include "player/runtime.h"
#include "player/textcodec.h"
#include "player/wrap_color.h"

#include <cstdlib>

namespace {

constexpr Color kOpaqueBlack{0, 0, 0, 255};

bool isScreen(lua_State* L, int idx) {
    return lua::testUserdata(L, idx, kScreenType) != nullptr;
}

QString pathArg(lua_State* L, int idx) {
    size_t len = 0;
    const char* s = luaL_checklstring(L, idx, &len);
    return pathFromLua(QByteArrayView(s, static_cast<qsizetype>(len)));
}

std::int64_t pixelBytes(const Image& image) {
    return std::int64_t(image.width()) * image.height() * 4;
}

// Counts the pixels of the image just pushed, which Lua's collector cannot see: the collector
// is stepped as if Lua had allocated them, so discarded images are collected at the pace
// their memory grows. Past the player's limit everything is collected first; when the image
// still does not fit, it is freed and creating it fails as on the console.
int chargeNewImage(lua_State* L) {
    LuaPlayer& player = LuaPlayer::from(L);
    const std::int64_t bytes = pixelBytes(lua::checkObject<Image>(L, -1, kImageType));
    if (player.memoryUsed() + bytes > player.memoryLimit()) {
        lua_gc(L, LUA_GCCOLLECT, 0);
        if (player.memoryUsed() + bytes > player.memoryLimit()) {
            delete lua::takeObject<Image>(L, -1, kImageType);
            return luaL_error(L, "not enough memory");
        }
    }
    player.addImageBytes(bytes);
    lua_gc(L, LUA_GCSTEP, static_cast<int>(bytes / 1024));
    return 1;
}

int w_createEmpty(lua_State* L) {
    const int w = lua::checkInt(L, 1), h = lua::checkInt(L, 2);
    lua::Box<Image>& box = lua::newBox<Image>(L, kImageType);
    lua::guarded(L, [&] {
        box.object = new Image(w, h);
        return 1;
    });
    return chargeNewImage(L);
}

int w_load(lua_State* L) {
    luaL_checkstring(L, 1);
    lua::Box<Image>& box = lua::newBox<Image>(L, kImageType);
    lua::guarded(L, [&] {
        box.object = new Image(Image::load(pathArg(L, 1)));
        return 1;
    });
    return chargeNewImage(L);
}

int w_blit(lua_State* L) {
    const int n = lua_gettop(L);
    if (n != 4 && n != 5 && n != 8 && n != 9)
        return luaL_error(L, "blit takes (x, y, image [, sx, sy, w, h] [, alpha])");
    Image& dst = checkImage(L, 1);
    const int x = lua::checkInt(L, 2), y = lua::checkInt(L, 3);
    const Image& src = checkImage(L, 4);
    int sx = 0, sy = 0, w = src.width(), h = src.height();
    if (n >= 8) {
        sx = lua::checkInt(L, 5);
        sy = lua::checkInt(L, 6);
        w = lua::checkInt(L, 7);
        h = lua::checkInt(L, 8);
    }
    const bool alpha = (n == 5 || n == 9) ? lua_toboolean(L, n) != 0 : true;
    return lua::guarded(L, [&] { // an image drawn onto itself is copied first
        dst.blit(x, y, src, sx, sy, w, h, alpha);
        return 0;
    });
}

int w_clear(lua_State* L) {
    Image& image = checkImage(L, 1);
    image.clear(optColor(L, 2, isScreen(L, 1) ? kOpaqueBlack : Color{0, 0, 0, 0}));
    return 0;
}

int w_fillRect(lua_State* L) {
    Image& image = checkImage(L, 1);
    const int x = lua::checkInt(L, 2), y = lua::checkInt(L, 3);
    const int w = lua::checkInt(L, 4), h = lua::checkInt(L, 5);
    image.fillRect(x, y, w, h, optColor(L, 6, kOpaqueBlack));
    return 0;
}

int w_drawLine(lua_State* L) {
    Image& image = checkImage(L, 1);
    const int x0 = lua::checkInt(L, 2), y0 = lua::checkInt(L, 3);
    const int x1 = lua::checkInt(L, 4), y1 = lua::checkInt(L, 5);
    image.drawLine(x0, y0, x1, y1, optColor(L, 6, kOpaqueBlack));
    return 0;
}

int w_pixel(lua_State* L) {
    Image& image = checkImage(L, 1);
    const int x = lua::checkInt(L, 2), y = lua::checkInt(L, 3);
    const bool set = !lua_isnoneornil(L, 4);
    Color color = set ? checkColor(L, 4) : Color{};
    lua::guarded(L, [&] {
        if (set)
            image.setPixel(x, y, color);
        else
            color = image.pixel(x, y);
        return 0;
    });
    if (set)
        return 0;
    pushColor(L, color);
    return 1;
}

int w_print(lua_State* L) {
    Image& image = checkImage(L, 1);
    const int x = lua::checkInt(L, 2), y = lua::checkInt(L, 3);
    luaL_checkany(L, 4);
    if (!lua_isstring(L, 4)) // numbers print as Lua writes them
        luaL_typerror(L, 4, "string");
    size_t len = 0;
    const char* text = lua_tolstring(L, 4, &len);
    const Color color = optColor(L, 5, kOpaqueBlack);
    return lua::guarded(L, [&] {
        image.print(x, y, decodeLuaText(QByteArray(text, static_cast<qsizetype>(len))), color);
        return 0;
    });
}

int w_width(lua_State* L) {
    lua_pushinteger(L, checkImage(L, 1).width());
    return 1;
}

int w_height(lua_State* L) {
    lua_pushinteger(L, checkImage(L, 1).height());
    return 1;
}

int w_save(lua_State* L) {
    const Image& image = checkImage(L, 1);
    luaL_checkstring(L, 2);
    return lua::guarded(L, [&] {
        image.save(pathArg(L, 2));
        return 0;
    });
}

int w_gc(lua_State* L) {
    if (Image* image = lua::takeObject<Image>(L, 1, kImageType)) {
        LuaPlayer::from(L).addImageBytes(-pixelBytes(*image));
        delete image;
    }
    return 0;
}

int w_tostring(lua_State* L) {
    const Image& image = checkImage(L, 1);
    lua_pushfstring(L, "Image(%d x %d)", image.width(), image.height());
    return 1;
}

int w_flip(lua_State* L) {
    LuaPlayer::from(L).flip();
    LuaPlayer::checkQuit(L);
    return 0;
}

// screen.waitVblankStart(n) waits n blanks; the colon form passes the screen and waits one.
int w_waitVblankStart(lua_State* L) {
    const int count = lua_type(L, 1) == LUA_TNUMBER ? lua::checkInt(L, 1) : 1;
    LuaPlayer::from(L).waitVblank(count);
    LuaPlayer::checkQuit(L);
    return 0;
}

#define IMAGE_METHODS                                                                            \
    {"blit", w_blit}, {"clear", w_clear}, {"fillRect", w_fillRect}, {"drawLine", w_drawLine},    \
        {"pixel", w_pixel}, {"print", w_print}, {"width", w_width}, {"height", w_height},         \
        {"save", w_save}, {"__tostring", w_tostring}

const luaL_Reg kImageMethods[] = {IMAGE_METHODS, {"__gc", w_gc}, {nullptr, nullptr}};
const luaL_Reg kScreenMethods[] = {
    IMAGE_METHODS, {"flip", w_flip}, {"waitVblankStart", w_waitVblankStart}, {nullptr, nullptr}};
const luaL_Reg kFunctions[] = {{"createEmpty", w_createEmpty}, {"load", w_load}, {nullptr, nullptr}};

} // namespace

Image& checkImage(lua_State* L, int idx) {
    if (lua::testUserdata(L, idx, kImageType))
        return lua::checkObject<Image>(L, idx, kImageType);
    if (isScreen(L, idx))
        return LuaPlayer::from(L).screen().back();
    luaL_typerror(L, idx, kImageType);
    std::abort(); // not reached: luaL_typerror raises
}

void openImage(lua_State* L) {
    lua::registerType(L, kImageType, kImageMethods);
    lua::registerType(L, kScreenType, kScreenMethods);
    lua::registerModule(L, "Image", kFunctions);
    lua_pop(L, 1);
    lua::newBox<Screen>(L, kScreenType, false).object = &LuaPlayer::from(L).screen();
    lua_setglobal(L, "screen");
}
