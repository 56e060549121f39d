#pragma once

#include "player/color.h"

struct lua_State;

inline constexpr const char* kColorType = "Color";

void pushColor(lua_State* L, const Color& color);
Color checkColor(lua_State* L, int idx);
// `fallback` when the argument is absent or nil.
Color optColor(lua_State* L, int idx, const Color& fallback);
