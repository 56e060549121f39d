#pragma once

// Helpers shared by the Lua bindings (wrap_*.cpp).
//
// Lua 5.1 raises errors with longjmp, which skips C++ destructors. So a binding reads its
// arguments first (luaL_check* may raise), then runs its C++ work inside guarded(), which
// catches exceptions and raises the Lua error only after the catch block has been left and
// every C++ object of the work is destroyed. No Lua call that can raise (one that allocates:
// lua_push* of strings, tables and userdata, lua_setfield...) is made while a C++ object of
// the binding is alive, except through protectedCall(), which turns the Lua error into an
// exception.

#include <lua.hpp>

#include <cmath>
#include <cstddef>
#include <cstdio>
#include <exception>
#include <limits>
#include <new>
#include <stdexcept>
#include <type_traits>

namespace lua {

// Runs f() (returning the number of Lua results); a thrown exception becomes a Lua error.
template <class F>
int guarded(lua_State* L, F&& f) {
    char message[1024];
    bool failed = false;
    int results = 0;
    try {
        results = f();
    } catch (const std::exception& e) {
        std::snprintf(message, sizeof message, "%s", e.what());
        failed = true;
    } catch (...) {
        std::snprintf(message, sizeof message, "unexpected failure");
        failed = true;
    }
    if (failed)
        return luaL_error(L, "%s", message);
    return results;
}

namespace detail {
struct ProtectedCall {
    int (*run)(lua_State*, void*);
    void* work;
};
void pushProtectedCaller(lua_State* L);
[[noreturn]] void throwLuaError(lua_State* L);
} // namespace detail

// Makes protectedCall() available in the state; done once, before any binding runs.
void installProtectedCalls(lua_State* L);

// Runs work(L) in protected mode and returns how many values it left on the stack. work
// makes Lua values and may raise Lua errors, but owns no C++ object and throws nothing: it
// reads the caller's objects by reference. A Lua error comes back as std::runtime_error
// with its message, so that the caller's C++ objects are destroyed before guarded() raises
// it again.
template <class Work>
int protectedCall(lua_State* L, Work work) {
    detail::ProtectedCall call{
        [](lua_State* state, void* w) { return (*static_cast<Work*>(w))(state); }, &work};
    const int base = lua_gettop(L);
    detail::pushProtectedCaller(L);
    lua_pushlightuserdata(L, &call);
    if (lua_pcall(L, 1, LUA_MULTRET, 0) != 0)
        detail::throwLuaError(L);
    return lua_gettop(L) - base;
}

// Pushes a copy of the bytes through protectedCall().
inline void pushBytes(lua_State* L, const char* bytes, std::size_t size) {
    protectedCall(L, [bytes, size](lua_State* state) {
        lua_pushlstring(state, bytes, size);
        return 1;
    });
}

// A number argument as an int: values beyond int's range saturate, NaN is 0. (luaL_checkint
// wraps them around instead, and coordinates are often far off the screen.)
inline int checkInt(lua_State* L, int idx) {
    const lua_Number v = luaL_checknumber(L, idx);
    if (std::isnan(v))
        return 0;
    if (v <= std::numeric_limits<int>::min())
        return std::numeric_limits<int>::min();
    if (v >= std::numeric_limits<int>::max())
        return std::numeric_limits<int>::max();
    return static_cast<int>(v);
}

// Creates the metatable `type` (also its __index table) holding `methods`, which may include
// metamethods such as __gc, __eq and __tostring. Leaves nothing on the stack.
void registerType(lua_State* L, const char* type, const luaL_Reg* methods);

// Sets global table `name` with `functions` (adds to it when it already exists) and leaves it
// on the stack.
void registerModule(lua_State* L, const char* name, const luaL_Reg* functions);

// The userdata at idx when its metatable is `type`, else nullptr.
void* testUserdata(lua_State* L, int idx, const char* type);

// Objects owned by Lua: the userdata holds a pointer; its __gc takes the object out with
// takeObject and deletes it, leaving nullptr behind. A finalised userdata can still reach a
// script (a weak-keyed table, __gc called by hand), so checkObject raises on it.
template <class T>
struct Box {
    T* object;
    bool owned;
};

// Pushes a userdata of `type` holding no object yet; the binding then makes the object inside
// guarded() and stores it. The userdata comes first so that a failed allocation (a Lua
// error) has nothing to leak, and an object that fails to be made leaves an empty box.
template <class T>
Box<T>& newBox(lua_State* L, const char* type, bool owned = true) {
    auto* box = static_cast<Box<T>*>(lua_newuserdata(L, sizeof(Box<T>)));
    box->object = nullptr;
    box->owned = owned;
    luaL_getmetatable(L, type);
    lua_setmetatable(L, -2);
    return *box;
}

// The object of a userdata of `type`; raises for another value or a finalised object.
template <class T>
T& checkObject(lua_State* L, int idx, const char* type) {
    T* object = static_cast<Box<T>*>(luaL_checkudata(L, idx, type))->object;
    if (!object)
        luaL_error(L, "attempt to use a freed %s", type);
    return *object;
}

// The work of __gc: the object of a userdata of `type`, for the caller to delete (nullptr
// when Lua does not own it or it is gone already); the userdata is left empty. Scripts can
// call __gc themselves, with any argument: anything but a userdata of `type` raises.
template <class T>
T* takeObject(lua_State* L, int idx, const char* type) {
    auto* box = static_cast<Box<T>*>(luaL_checkudata(L, idx, type));
    T* object = box->owned ? box->object : nullptr;
    box->object = nullptr;
    return object;
}

// Small values stored in the userdata itself (Color, Pad): no __gc needed.
template <class T>
void pushValue(lua_State* L, const char* type, const T& value) {
    static_assert(std::is_trivially_destructible_v<T>);
    new (lua_newuserdata(L, sizeof(T))) T(value);
    luaL_getmetatable(L, type);
    lua_setmetatable(L, -2);
}

template <class T>
T& checkValue(lua_State* L, int idx, const char* type) {
    return *static_cast<T*>(luaL_checkudata(L, idx, type));
}

} // namespace lua
