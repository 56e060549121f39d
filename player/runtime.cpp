#include "player/runtime.h"

#include <string>

namespace lua {

namespace {

char kProtectedCallerKey;

int protectedCaller(lua_State* L) {
    const auto* call = static_cast<const detail::ProtectedCall*>(lua_touserdata(L, 1));
    lua_remove(L, 1);
    return call->run(L, call->work);
}

} // namespace

void installProtectedCalls(lua_State* L) {
    lua_pushlightuserdata(L, &kProtectedCallerKey);
    lua_pushcfunction(L, protectedCaller);
    lua_rawset(L, LUA_REGISTRYINDEX);
}

namespace detail {

// Reads the registry: no allocation, so nothing to raise.
void pushProtectedCaller(lua_State* L) {
    lua_pushlightuserdata(L, &kProtectedCallerKey);
    lua_rawget(L, LUA_REGISTRYINDEX);
}

void throwLuaError(lua_State* L) {
    const char* text = lua_type(L, -1) == LUA_TSTRING ? lua_tostring(L, -1) : "error";
    std::string message = text;
    lua_pop(L, 1);
    throw std::runtime_error(message);
}

} // namespace detail

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
