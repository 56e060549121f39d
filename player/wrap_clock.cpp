// math.random on the player's own generator; and, on the frame clock, os.time, os.clock and
// os.date read the frame count instead of the machine's clock.
#include "player/bindings.h"
#include "player/luaplayer.h"
#include "player/playclock.h"
#include "player/random.h"
#include "player/runtime.h"

#include <cmath>

namespace {

// As Lua 5.1's math.random: no argument gives [0, 1), m gives [1, m], m and n give [m, n].
int w_random(lua_State* L) {
    const lua_Number r = LuaPlayer::from(L).random().next();
    switch (lua_gettop(L)) {
    case 0:
        lua_pushnumber(L, r);
        return 1;
    case 1: {
        const int upper = lua::checkInt(L, 1);
        luaL_argcheck(L, 1 <= upper, 1, "interval is empty");
        lua_pushnumber(L, std::floor(r * upper) + 1);
        return 1;
    }
    case 2: {
        const int lower = lua::checkInt(L, 1);
        const int upper = lua::checkInt(L, 2);
        luaL_argcheck(L, lower <= upper, 2, "interval is empty");
        lua_pushnumber(L, std::floor(r * (double(upper) - lower + 1)) + lower);
        return 1;
    }
    default:
        return luaL_error(L, "wrong number of arguments");
    }
}

int w_randomseed(lua_State* L) {
    const int seed = lua::checkInt(L, 1);
    LuaPlayer::from(L).random().reseed(static_cast<std::uint64_t>(static_cast<std::int64_t>(seed)));
    return 0;
}

const PlayClock& clock(lua_State* L) {
    return LuaPlayer::from(L).clock();
}

// Calls the original function (upvalue 1) with the arguments as they are.
int callOriginal(lua_State* L) {
    lua_pushvalue(L, lua_upvalueindex(1));
    lua_insert(L, 1);
    lua_call(L, lua_gettop(L) - 1, LUA_MULTRET);
    return lua_gettop(L);
}

// os.time(): the frame clock's second; os.time(t) converts a date as ever.
int w_time(lua_State* L) {
    if (!lua_isnoneornil(L, 1))
        return callOriginal(L);
    lua_pushnumber(L, static_cast<lua_Number>(clock(L).wallSeconds()));
    return 1;
}

// os.clock(): seconds of play.
int w_clock(lua_State* L) {
    lua_pushnumber(L, static_cast<lua_Number>(clock(L).ms()) / 1000.0);
    return 1;
}

// os.date([format]): the date of the frame clock; os.date(format, t) as ever.
int w_date(lua_State* L) {
    if (!lua_isnoneornil(L, 2))
        return callOriginal(L);
    if (lua_isnoneornil(L, 1)) {
        lua_settop(L, 0);
        lua_pushliteral(L, "%c");
    }
    lua_settop(L, 1);
    lua_pushnumber(L, static_cast<lua_Number>(clock(L).wallSeconds()));
    return callOriginal(L);
}

void wrapOs(lua_State* L, const char* name, lua_CFunction f) {
    lua_getglobal(L, "os");
    lua_getfield(L, -1, name);
    lua_pushcclosure(L, f, 1);
    lua_setfield(L, -2, name);
    lua_pop(L, 1);
}

} // namespace

void openRandom(lua_State* L) {
    lua_getglobal(L, "math");
    lua_pushcfunction(L, w_random);
    lua_setfield(L, -2, "random");
    lua_pushcfunction(L, w_randomseed);
    lua_setfield(L, -2, "randomseed");
    lua_pop(L, 1);
}

void openFrameClock(lua_State* L) {
    wrapOs(L, "time", w_time);
    wrapOs(L, "clock", w_clock);
    wrapOs(L, "date", w_date);
}
