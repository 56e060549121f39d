// The standard Lua libraries as games get them.
#include "player/bindings.h"
#include "player/runtime.h"

#include <cstddef>
#include <initializer_list>

namespace {

// Lua 5.1's pattern matcher recurses once for each quantified item and each parenthesis,
// with no limit of its own, so a long pattern overflows the C stack. Later Lua versions stop
// at this depth with the same message.
constexpr int kMaxPatternDepth = 200;

// An upper bound of that recursion: the quantifier and parenthesis characters of the
// pattern, those escaped with '%' excepted.
int patternDepth(const char* p, std::size_t len) {
    int depth = 0;
    for (std::size_t i = 0; i < len; ++i) {
        switch (p[i]) {
        case '%':
            ++i;
            break;
        case '(': case ')': case '?': case '*': case '-': case '+':
            ++depth;
            break;
        default:
            break;
        }
    }
    return depth;
}

// Upvalue 1: the string function; upvalue 2: whether a true 4th argument asks for a plain
// search (string.find), which does not match patterns.
int w_patternGuard(lua_State* L) {
    const bool plain = lua_toboolean(L, lua_upvalueindex(2)) && lua_toboolean(L, 4);
    if (!plain && lua_type(L, 2) == LUA_TSTRING) {
        std::size_t len = 0;
        const char* pattern = lua_tolstring(L, 2, &len);
        if (patternDepth(pattern, len) > kMaxPatternDepth)
            return luaL_error(L, "pattern too complex");
    }
    const int nargs = lua_gettop(L);
    lua_pushvalue(L, lua_upvalueindex(1));
    lua_insert(L, 1);
    lua_call(L, nargs, LUA_MULTRET);
    return lua_gettop(L);
}

void guardPatterns(lua_State* L, const char* name, bool findsPlain) {
    lua_getglobal(L, "string");
    lua_getfield(L, -1, name);
    lua_pushboolean(L, findsPlain);
    lua_pushcclosure(L, w_patternGuard, 2);
    lua_setfield(L, -2, name);
    lua_pop(L, 1);
}

void removeField(lua_State* L, const char* table, const char* name) {
    lua_getglobal(L, table);
    lua_pushnil(L);
    lua_setfield(L, -2, name);
    lua_pop(L, 1);
}

// Of the debug library, games use what reads: tracebacks and function information. The rest
// would reach the registry, change any value's metatable (a Color made to pass for an Image)
// or take the player's hook away.
void keepReadingDebug(lua_State* L) {
    lua_getglobal(L, "debug");
    lua_createtable(L, 0, 2);
    for (const char* name : {"traceback", "getinfo"}) {
        lua_getfield(L, -2, name);
        lua_setfield(L, -2, name);
    }
    lua_setglobal(L, "debug");
    lua_pop(L, 1);
}

} // namespace

// Games get the libraries of LuaPlayer without what starts programs or loads native code:
// a game, one's own or one given, must not be able to do more than a game can.
void openLibraries(lua_State* L) {
    luaL_openlibs(L);
    removeField(L, "os", "execute");
    removeField(L, "io", "popen");
    removeField(L, "package", "loadlib");
    keepReadingDebug(L);
    guardPatterns(L, "find", true);
    guardPatterns(L, "match", false);
    guardPatterns(L, "gmatch", false);
    guardPatterns(L, "gsub", false);
}
