#pragma once

// Helpers shared by the Lua bindings (wrap_*.cpp).
//
// Lua 5.1 raises errors with longjmp, which skips C++ destructors. So a binding reads its
// arguments first (luaL_check* may raise), then runs its C++ work inside guarded(), which
// catches exceptions and raises the Lua error only after the catch block has been left and
// every C++ object of the work is destroyed.

#include <lua.hpp>

#include <cmath>
#include <cstdio>
#include <exception>
#include <limits>
#include <new>
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

// Objects owned by Lua: the userdata holds a pointer; its __gc calls freeObject, which
// deletes the object and leaves nullptr behind. A finalised userdata can still reach a script
// (a weak-keyed table, __gc called by hand), so checkObject raises on it.
template <class T>
struct Box {
    T* object;
    bool owned;
};

template <class T>
void pushObject(lua_State* L, const char* type, T* object, bool owned = true) {
    auto* box = static_cast<Box<T>*>(lua_newuserdata(L, sizeof(Box<T>)));
    box->object = object;
    box->owned = owned;
    luaL_getmetatable(L, type);
    lua_setmetatable(L, -2);
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
