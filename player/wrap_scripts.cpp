// Loading Lua code. Script files are named as the game's files are written (Windows-1252)
// and found ignoring letter case, like every path; precompiled chunks are refused in every
// way of loading, since Lua 5.1 does not check them and a crafted one breaks out of the
// interpreter.
#include "player/bindings.h"
#include "player/luapath.h"
#include "player/runtime.h"

#include <QFile>
#include <QFileInfo>

#include <cstdio>
#include <cstring>
#include <exception>

namespace {

constexpr char kBinaryChunk[] = "attempt to load a binary chunk";

bool isPrecompiled(const char* text, size_t len) {
    return len > 0 && text[0] == LUA_SIGNATURE[0];
}

QString pathAt(lua_State* L, int idx) {
    size_t len = 0;
    const char* s = lua_tolstring(L, idx, &len);
    return pathFromLua(QByteArrayView(s, static_cast<qsizetype>(len)));
}

} // namespace

// A first line starting with '#' is skipped, its line break kept.
int loadScriptFile(lua_State* L, int idx) {
    const char* name = lua_tostring(L, idx);
    char problem[300] = "";
    int status = 0;
    try {
        QFile file(pathAt(L, idx));
        if (!file.open(QIODevice::ReadOnly)) {
            std::snprintf(problem, sizeof problem, "cannot open %.200s: %.60s", name,
                          file.errorString().toLocal8Bit().constData());
        } else {
            const QByteArray text = file.readAll();
            qsizetype start = 0;
            if (text.startsWith('#')) {
                const qsizetype lineEnd = text.indexOf('\n');
                start = lineEnd < 0 ? text.size() : lineEnd;
            }
            if (isPrecompiled(text.constData() + start, text.size() - start)) {
                std::snprintf(problem, sizeof problem, "%.200s: %s", name, kBinaryChunk);
            } else {
                const QByteArray chunkName = '@' + QByteArray(name);
                // Protected: a syntax error or a failed allocation comes back as a status.
                status = luaL_loadbuffer(L, text.constData() + start, text.size() - start,
                                         chunkName.constData());
            }
        }
    } catch (const std::exception& e) {
        std::snprintf(problem, sizeof problem, "%.200s: %.60s", name, e.what());
    }
    if (problem[0]) {
        lua_pushnil(L);
        lua_pushstring(L, problem);
        return 2;
    }
    if (status != 0) {
        lua_pushnil(L);
        lua_insert(L, -2);
        return 2;
    }
    return 1;
}

namespace {

int w_loadfile(lua_State* L) {
    luaL_checkstring(L, 1);
    return loadScriptFile(L, 1);
}

int w_dofile(lua_State* L) {
    luaL_checkstring(L, 1);
    lua_settop(L, 1);
    if (loadScriptFile(L, 1) != 1)
        return lua_error(L);
    lua_call(L, 0, LUA_MULTRET);
    return lua_gettop(L) - 1;
}

int w_loadstring(lua_State* L) {
    size_t len = 0;
    const char* text = luaL_checklstring(L, 1, &len);
    if (isPrecompiled(text, len)) {
        lua_pushnil(L);
        lua_pushstring(L, kBinaryChunk);
        return 2;
    }
    lua_pushvalue(L, lua_upvalueindex(1));
    lua_insert(L, 1);
    lua_call(L, lua_gettop(L) - 1, LUA_MULTRET);
    return lua_gettop(L);
}

// The reader given to load in place of the script's: upvalue 1 is the script's reader,
// upvalue 2 true once the first piece of text has been seen. Its error comes back from load
// as nil and the message.
int w_checkedReader(lua_State* L) {
    lua_pushvalue(L, lua_upvalueindex(1));
    lua_call(L, 0, 1);
    size_t len = 0;
    const char* piece = lua_type(L, -1) == LUA_TSTRING ? lua_tolstring(L, -1, &len) : nullptr;
    if (piece && len > 0 && !lua_toboolean(L, lua_upvalueindex(2))) {
        if (isPrecompiled(piece, len))
            return luaL_error(L, kBinaryChunk);
        lua_pushboolean(L, 1);
        lua_replace(L, lua_upvalueindex(2));
    }
    return 1;
}

int w_load(lua_State* L) {
    luaL_checktype(L, 1, LUA_TFUNCTION);
    lua_pushvalue(L, 1);
    lua_pushboolean(L, 0);
    lua_pushcclosure(L, w_checkedReader, 2);
    lua_replace(L, 1);
    lua_pushvalue(L, lua_upvalueindex(1));
    lua_insert(L, 1);
    lua_call(L, lua_gettop(L) - 1, LUA_MULTRET);
    return lua_gettop(L);
}

// require's search for Lua files: each template of package.path with '?' replaced by the
// module name, its dots made folder separators.
int w_searchLuaFile(lua_State* L) {
    const char* name = luaL_checkstring(L, 1);
    lua_getglobal(L, "package");
    lua_getfield(L, -1, "path");
    const char* templates = lua_tostring(L, -1);
    if (!templates)
        return luaL_error(L, "package.path must be a string");
    const char* file = luaL_gsub(L, name, ".", "/");
    luaL_Buffer tried;
    luaL_buffinit(L, &tried);
    const char* next = templates;
    while (*next) {
        const char* end = std::strchr(next, ';');
        const size_t len = end ? size_t(end - next) : std::strlen(next);
        lua_pushlstring(L, next, len);
        const char* candidate = luaL_gsub(L, lua_tostring(L, -1), "?", file);
        lua_remove(L, -2);
        next = end ? end + 1 : next + len;
        if (len == 0) {
            lua_pop(L, 1);
            continue;
        }
        bool found = false;
        lua::guarded(L, [&] {
            found = QFileInfo(pathAt(L, -1)).isFile();
            return 0;
        });
        if (found)
            return loadScriptFile(L, lua_gettop(L)) == 1 ? 1 : lua_error(L);
        lua_pushfstring(L, "\n\tno file '%s'", candidate);
        lua_remove(L, -2);
        luaL_addvalue(&tried);
    }
    luaL_pushresult(&tried);
    return 1;
}

void replace(lua_State* L, const char* name, lua_CFunction f, bool keepOriginal) {
    if (keepOriginal)
        lua_getfield(L, -1, name);
    lua_pushcclosure(L, f, keepOriginal ? 1 : 0);
    lua_setfield(L, -2, name);
}

} // namespace

void openScripts(lua_State* L) {
    lua_pushvalue(L, LUA_GLOBALSINDEX);
    replace(L, "dofile", w_dofile, false);
    replace(L, "loadfile", w_loadfile, false);
    replace(L, "loadstring", w_loadstring, true);
    replace(L, "load", w_load, true);
    lua_pop(L, 1);
    // require: modules preloaded by the game, then Lua files; never C libraries.
    lua_getglobal(L, "package");
    lua_pushliteral(L, "./?.lua;./?/init.lua");
    lua_setfield(L, -2, "path");
    lua_pushliteral(L, "");
    lua_setfield(L, -2, "cpath");
    lua_getfield(L, -1, "loaders");
    lua_createtable(L, 2, 0);
    lua_rawgeti(L, -2, 1);
    lua_rawseti(L, -2, 1);
    lua_pushcfunction(L, w_searchLuaFile);
    lua_rawseti(L, -2, 2);
    lua_setfield(L, -3, "loaders");
    lua_pop(L, 2);
}
