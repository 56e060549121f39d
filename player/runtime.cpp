#include "player/runtime.h"

namespace lua {

void registerType(lua_State* L, const char* type, const luaL_Reg* methods) {
    luaL_newmetatable(L, type);
    lua_pushvalue(L, -1);
    lua_setfield(L, -2, "__index");
    luaL_register(L, nullptr, methods);
    lua_pop(L, 1);
}

void registerModule(lua_State* L, const char* name, const luaL_Reg* functions) {
    luaL_register(L, name, functions);
}

void* testUserdata(lua_State* L, int idx, const char* type) {
    void* p = lua_touserdata(L, idx);
    if (!p || !lua_getmetatable(L, idx))
        return nullptr;
    luaL_getmetatable(L, type);
    const bool same = lua_rawequal(L, -1, -2);
    lua_pop(L, 2);
    return same ? p : nullptr;
}

} // namespace lua
