#pragma once

#include "player/casepath.h"

#include <QFile>

#include <lua.hpp>

// A file name given by a script, found ignoring letter case as on the console.
inline QString scriptPath(lua_State* L, int idx) {
    return resolveCase(QFile::decodeName(luaL_checkstring(L, idx)));
}
