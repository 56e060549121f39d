// The io and os file functions, made to read path strings as the game's files are written
// (Windows-1252) and to find names ignoring letter case as on the console's FAT Memory Stick;
// os.exit ends the game through the player so it can clean up.
#include "player/bindings.h"
#include "player/luaplayer.h"
#include "player/luapath.h"
#include "player/runtime.h"

#include <QFile>

#include <cstring>

namespace {

// Upvalue 1: the original function; upvalue 2: how many leading arguments are paths.
int w_resolving(lua_State* L) {
    const int nargs = lua_gettop(L);
    const int paths = static_cast<int>(lua_tointeger(L, lua_upvalueindex(2)));
    for (int i = 1; i <= paths && i <= nargs; ++i) {
        if (lua_type(L, i) != LUA_TSTRING)
            continue;
        lua::guarded(L, [&] {
            size_t len = 0;
            const char* s = lua_tolstring(L, i, &len);
            const QByteArray resolved =
                QFile::encodeName(pathFromLua(QByteArrayView(s, static_cast<qsizetype>(len))));
            lua::pushBytes(L, resolved.constData(), resolved.size());
            return 1;
        });
        lua_replace(L, i);
    }
    lua_pushvalue(L, lua_upvalueindex(1));
    lua_insert(L, 1);
    lua_call(L, nargs, LUA_MULTRET);
    return lua_gettop(L);
}

// io.open's mode as the C library may be given it: "r", "w" or "a", then "+", then any "b".
// Others are not portable, and glibc reads some (",ccs=") as a request to load code.
bool validMode(const char* mode) {
    if (!*mode || !std::strchr("rwa", *mode++))
        return false;
    if (*mode == '+')
        ++mode;
    return std::strspn(mode, "b") == std::strlen(mode);
}

int w_open(lua_State* L) {
    luaL_argcheck(L, validMode(luaL_optstring(L, 2, "r")), 2, "invalid mode");
    lua_pushvalue(L, lua_upvalueindex(1));
    lua_insert(L, 1);
    lua_call(L, lua_gettop(L) - 1, LUA_MULTRET);
    return lua_gettop(L);
}

// Replaces table[name] (table on top of the stack) by a resolving wrapper.
void wrap(lua_State* L, const char* name, int paths) {
    lua_getfield(L, -1, name);
    if (!lua_isfunction(L, -1)) {
        lua_pop(L, 1);
        return;
    }
    lua_pushinteger(L, paths);
    lua_pushcclosure(L, w_resolving, 2);
    lua_setfield(L, -2, name);
}

int w_exit(lua_State* L) {
    int code = 0;
    if (lua_type(L, 1) == LUA_TNUMBER)
        code = static_cast<int>(lua_tointeger(L, 1));
    else if (lua_type(L, 1) == LUA_TBOOLEAN)
        code = lua_toboolean(L, 1) ? 0 : 1;
    LuaPlayer::from(L).requestQuit(code);
    LuaPlayer::checkQuit(L);
    return 0;
}

} // namespace

void openFiles(lua_State* L) {
    lua_getglobal(L, "io");
    lua_getfield(L, -1, "open");
    lua_pushcclosure(L, w_open, 1);
    lua_setfield(L, -2, "open");
    wrap(L, "open", 1);
    wrap(L, "lines", 1);
    wrap(L, "input", 1);
    wrap(L, "output", 1);
    lua_pop(L, 1);
    lua_getglobal(L, "os");
    wrap(L, "remove", 1);
    wrap(L, "rename", 2);
    lua_pushcfunction(L, w_exit);
    lua_setfield(L, -2, "exit");
    lua_pop(L, 1);
}
