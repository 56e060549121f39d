#include "player/bindings.h"
#include "player/luaplayer.h"
#include "player/runtime.h"
#include "player/timer.h"

#include <algorithm>

namespace {

constexpr const char* kTimerType = "Timer";

// Milliseconds from a script: NaN is 0, and values stay within the integers a double holds
// exactly, far from where the timer's sums could overflow.
std::int64_t optMilliseconds(lua_State* L, int idx) {
    constexpr double kLimit = 9007199254740992.0; // 2^53
    const double ms = luaL_optnumber(L, idx, 0);
    return ms == ms ? static_cast<std::int64_t>(std::clamp(ms, -kLimit, kLimit)) : 0;
}

Timer& checkTimer(lua_State* L) {
    return lua::checkObject<Timer>(L, 1, kTimerType);
}

int w_gc(lua_State* L) {
    delete lua::takeObject<Timer>(L, 1, kTimerType);
    return 0;
}

int w_new(lua_State* L) {
    const std::int64_t start = optMilliseconds(L, 1);
    lua::Box<Timer>& box = lua::newBox<Timer>(L, kTimerType);
    const PlayClock& clock = LuaPlayer::from(L).clock();
    return lua::guarded(L, [&] {
        box.object = new Timer(clock, start);
        return 1;
    });
}

int w_start(lua_State* L) {
    Timer& t = checkTimer(L);
    t.start();
    lua_pushnumber(L, static_cast<lua_Number>(t.time()));
    return 1;
}

int w_time(lua_State* L) {
    lua_pushnumber(L, static_cast<lua_Number>(checkTimer(L).time()));
    return 1;
}

int w_stop(lua_State* L) {
    lua_pushnumber(L, static_cast<lua_Number>(checkTimer(L).stop()));
    return 1;
}

int w_reset(lua_State* L) {
    Timer& t = checkTimer(L);
    const std::int64_t value = optMilliseconds(L, 2);
    lua_pushnumber(L, static_cast<lua_Number>(t.reset(value)));
    return 1;
}

const luaL_Reg kMethods[] = {{"start", w_start}, {"time", w_time}, {"stop", w_stop},
                             {"reset", w_reset}, {"__gc", w_gc},
                             {nullptr, nullptr}};
const luaL_Reg kFunctions[] = {{"new", w_new}, {nullptr, nullptr}};

} // namespace

void openTimer(lua_State* L) {
    lua::registerType(L, kTimerType, kMethods);
    lua::registerModule(L, "Timer", kFunctions);
    lua_pop(L, 1);
}
