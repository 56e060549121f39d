#include "player/wrap_color.h"

#include "player/bindings.h"
#include "player/runtime.h"

namespace {

int w_new(lua_State* L) {
    const int n = lua_gettop(L);
    if (n != 3 && n != 4)
        return luaL_error(L, "Color.new takes 3 or 4 arguments (r, g, b [, a])");
    const double r = luaL_checknumber(L, 1), g = luaL_checknumber(L, 2), b = luaL_checknumber(L, 3);
    const double a = n == 4 ? luaL_checknumber(L, 4) : 255;
    pushColor(L, Color::clamped(r, g, b, a));
    return 1;
}

int w_colors(lua_State* L) {
    const Color c = checkColor(L, 1);
    lua_createtable(L, 0, 4);
    lua_pushinteger(L, c.r);
    lua_setfield(L, -2, "r");
    lua_pushinteger(L, c.g);
    lua_setfield(L, -2, "g");
    lua_pushinteger(L, c.b);
    lua_setfield(L, -2, "b");
    lua_pushinteger(L, c.a);
    lua_setfield(L, -2, "a");
    return 1;
}

int w_eq(lua_State* L) {
    lua_pushboolean(L, checkColor(L, 1) == checkColor(L, 2));
    return 1;
}

int w_tostring(lua_State* L) {
    const Color c = checkColor(L, 1);
    lua_pushfstring(L, "Color(%d, %d, %d, %d)", c.r, c.g, c.b, c.a);
    return 1;
}

const luaL_Reg kMethods[] = {
    {"colors", w_colors}, {"__eq", w_eq}, {"__tostring", w_tostring}, {nullptr, nullptr}};
const luaL_Reg kFunctions[] = {{"new", w_new}, {nullptr, nullptr}};

} // namespace

void pushColor(lua_State* L, const Color& color) {
    lua::pushValue(L, kColorType, color);
}

Color checkColor(lua_State* L, int idx) {
    return lua::checkValue<Color>(L, idx, kColorType);
}

Color optColor(lua_State* L, int idx, const Color& fallback) {
    return lua_isnoneornil(L, idx) ? fallback : checkColor(L, idx);
}

void openColor(lua_State* L) {
    lua::registerType(L, kColorType, kMethods);
    lua::registerModule(L, "Color", kFunctions);
    lua_pop(L, 1);
}
