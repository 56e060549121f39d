#include "player/bindings.h"
#include "player/luaplayer.h"
#include "player/pad.h"
#include "player/runtime.h"

namespace {

constexpr const char* kPadType = "Controls";

const Pad& checkPad(lua_State* L, int idx) {
    return lua::checkValue<Pad>(L, idx, kPadType);
}

int w_read(lua_State* L) {
    const Pad pad = LuaPlayer::from(L).readPad();
    LuaPlayer::checkQuit(L);
    lua::pushValue(L, kPadType, pad);
    return 1;
}

template <std::uint32_t Mask>
int w_button(lua_State* L) {
    lua_pushboolean(L, checkPad(L, 1).has(Mask));
    return 1;
}

int w_buttons(lua_State* L) {
    lua_pushnumber(L, checkPad(L, 1).buttons);
    return 1;
}

int w_analogX(lua_State* L) {
    lua_pushinteger(L, checkPad(L, 1).analogX);
    return 1;
}

int w_analogY(lua_State* L) {
    lua_pushinteger(L, checkPad(L, 1).analogY);
    return 1;
}

int w_eq(lua_State* L) {
    lua_pushboolean(L, checkPad(L, 1).buttons == checkPad(L, 2).buttons);
    return 1;
}

const luaL_Reg kMethods[] = {
    {"select", w_button<PadMask::Select>},     {"start", w_button<PadMask::Start>},
    {"up", w_button<PadMask::Up>},             {"right", w_button<PadMask::Right>},
    {"down", w_button<PadMask::Down>},         {"left", w_button<PadMask::Left>},
    {"l", w_button<PadMask::LTrigger>},        {"r", w_button<PadMask::RTrigger>},
    {"triangle", w_button<PadMask::Triangle>}, {"circle", w_button<PadMask::Circle>},
    {"cross", w_button<PadMask::Cross>},       {"square", w_button<PadMask::Square>},
    {"home", w_button<PadMask::Home>},         {"hold", w_button<PadMask::Hold>},
    {"note", w_button<PadMask::Note>},         {"buttons", w_buttons},
    {"analogX", w_analogX},                    {"analogY", w_analogY},
    {"__eq", w_eq},                            {nullptr, nullptr}};

const luaL_Reg kFunctions[] = {{"read", w_read}, {nullptr, nullptr}};

struct Constant {
    const char* name;
    std::uint32_t mask;
};

constexpr Constant kConstants[] = {
    {"selectMask", PadMask::Select},     {"startMask", PadMask::Start},
    {"upMask", PadMask::Up},             {"rightMask", PadMask::Right},
    {"downMask", PadMask::Down},         {"leftMask", PadMask::Left},
    {"ltriggerMask", PadMask::LTrigger}, {"rtriggerMask", PadMask::RTrigger},
    {"triangleMask", PadMask::Triangle}, {"circleMask", PadMask::Circle},
    {"crossMask", PadMask::Cross},       {"squareMask", PadMask::Square},
    {"homeMask", PadMask::Home},         {"holdMask", PadMask::Hold},
    {"noteMask", PadMask::Note},
};

} // namespace

void openControls(lua_State* L) {
    lua::registerType(L, kPadType, kMethods);
    lua::registerModule(L, "Controls", kFunctions);
    for (const Constant& c : kConstants) {
        lua_pushnumber(L, c.mask);
        lua_setfield(L, -2, c.name);
    }
    lua_pop(L, 1);
}
