#include "player/bindings.h"
#include "player/luaplayer.h"
#include "player/luapath.h"
#include "player/runtime.h"
#include "player/system.h"

#include <QCryptographicHash>
#include <QDir>

#include <algorithm>
#include <map>

namespace {

QString pathArg(lua_State* L, int idx) {
    size_t len = 0;
    const char* s = luaL_checklstring(L, idx, &len);
    return pathFromLua(QByteArrayView(s, static_cast<qsizetype>(len)));
}

// Called inside guarded(): the path text is made by Qt.
void pushPath(lua_State* L, const QString& path) {
    const QByteArray bytes = pathToLua(path);
    lua::pushBytes(L, bytes.constData(), bytes.size());
}

int w_currentDirectory(lua_State* L) {
    const bool change = !lua_isnoneornil(L, 1);
    if (change)
        luaL_checkstring(L, 1);
    return lua::guarded(L, [&] {
        pushPath(L, change ? PlayerSystem::changeDirectory(pathArg(L, 1)) : QDir::currentPath());
        return 1;
    });
}

int w_listDirectory(lua_State* L) {
    const bool named = !lua_isnoneornil(L, 1);
    if (named)
        luaL_checkstring(L, 1);
    return lua::guarded(L, [&] {
        const auto entries = PlayerSystem::listDirectory(named ? pathArg(L, 1) : QString());
        if (!entries) {
            lua_pushnil(L);
            return 1;
        }
        QList<QByteArray> names;
        for (const PlayerSystem::DirEntry& e : *entries)
            names.append(pathToLua(e.name));
        return lua::protectedCall(L, [&](lua_State* state) {
            lua_createtable(state, static_cast<int>(entries->size()), 0);
            for (qsizetype i = 0; i < entries->size(); ++i) {
                const PlayerSystem::DirEntry& e = entries->at(i);
                lua_createtable(state, 0, 3);
                lua_pushlstring(state, names.at(i).constData(), names.at(i).size());
                lua_setfield(state, -2, "name");
                lua_pushnumber(state, static_cast<lua_Number>(e.size));
                lua_setfield(state, -2, "size");
                lua_pushboolean(state, e.directory);
                lua_setfield(state, -2, "directory");
                lua_rawseti(state, -2, static_cast<int>(i + 1));
            }
            return 1;
        });
    });
}

template <bool (*Op)(const QString&)>
int w_pathOp(lua_State* L) {
    luaL_checkstring(L, 1);
    return lua::guarded(L, [&] {
        lua_pushboolean(L, Op(pathArg(L, 1)));
        return 1;
    });
}

int w_rename(lua_State* L) {
    luaL_checkstring(L, 1);
    luaL_checkstring(L, 2);
    return lua::guarded(L, [&] {
        lua_pushboolean(L, PlayerSystem::rename(pathArg(L, 1), pathArg(L, 2)));
        return 1;
    });
}

int w_sleep(lua_State* L) {
    const int ms = lua::checkInt(L, 1);
    LuaPlayer::from(L).sleepMs(ms);
    LuaPlayer::checkQuit(L);
    return 0;
}

// What is left of the game's memory (see --memory), images and Lua data counted.
int w_getFreeMemory(lua_State* L) {
    const LuaPlayer& player = LuaPlayer::from(L);
    lua_pushnumber(L, static_cast<lua_Number>(std::max<std::int64_t>(0, player.memoryLimit() - player.memoryUsed())));
    return 1;
}

int w_md5sum(lua_State* L) {
    size_t len = 0;
    const char* s = luaL_checklstring(L, 1, &len);
    return lua::guarded(L, [&] {
        const QByteArray hex =
            QCryptographicHash::hash(QByteArrayView(s, static_cast<qsizetype>(len)),
                                     QCryptographicHash::Md5)
                .toHex();
        lua::pushBytes(L, hex.constData(), hex.size());
        return 1;
    });
}

// USB and power have no meaning on the desktop: answer as a console on mains power would.
int w_nothing(lua_State*) {
    return 0;
}
int w_true(lua_State* L) {
    lua_pushboolean(L, 1);
    return 1;
}
int w_false(lua_State* L) {
    lua_pushboolean(L, 0);
    return 1;
}
int w_zero(lua_State* L) {
    lua_pushinteger(L, 0);
    return 1;
}
int w_hundred(lua_State* L) {
    lua_pushinteger(L, 100);
    return 1;
}

const luaL_Reg kFunctions[] = {
    {"currentDirectory", w_currentDirectory},
    {"listDirectory", w_listDirectory},
    {"createDirectory", w_pathOp<PlayerSystem::createDirectory>},
    {"removeDirectory", w_pathOp<PlayerSystem::removeDirectory>},
    {"removeFile", w_pathOp<PlayerSystem::removeFile>},
    {"rename", w_rename},
    {"sleep", w_sleep},
    {"getFreeMemory", w_getFreeMemory},
    {"md5sum", w_md5sum},
    {"usbDiskModeActivate", w_nothing},
    {"usbDiskModeDeactivate", w_nothing},
    {"powerIsPowerOnline", w_true},
    {"powerIsBatteryExist", w_false},
    {"powerIsBatteryCharging", w_false},
    {"powerGetBatteryChargingStatus", w_zero},
    {"powerIsLowBattery", w_false},
    {"powerGetBatteryLifePercent", w_hundred},
    {"powerGetBatteryLifeTime", w_zero},
    {"powerGetBatteryTemp", w_zero},
    {"powerGetBatteryVolt", w_zero},
    {"powerTick", w_nothing},
    {nullptr, nullptr}};

// Desktop only: the game's files saved since the last call (names relative to the game's
// folder), or nil when none was. Games check that the function exists first: the console and
// runs without --live have none.
int w_changedFiles(lua_State* L) {
    QList<QByteArray> names;
    lua::guarded(L, [&] {
        for (const QString& name : LuaPlayer::from(L).changedFiles())
            names.append(pathToLua(name));
        return 0;
    });
    if (names.isEmpty()) {
        lua_pushnil(L);
        return 1;
    }
    lua_createtable(L, int(names.size()), 0);
    for (qsizetype i = 0; i < names.size(); ++i) {
        lua_pushlstring(L, names[i].constData(), size_t(names[i].size()));
        lua_rawseti(L, -2, int(i + 1));
    }
    return 1;
}

constexpr int kMaxStateFields = 16;

// Desktop only: the game tells where it stands ({carte = "01", vie = 10, ...}); the fields
// whose names and values are strings, numbers or booleans are kept for --state, at most 16.
int w_reportState(lua_State* L) {
    luaL_checktype(L, 1, LUA_TTABLE);
    lua_settop(L, 1);
    luaL_checkstack(L, 2 * kMaxStateFields + 4, "too many fields");
    // Names and values are copied as strings onto the stack first, where the collector
    // leaves them, and read in C++ once no Lua call is left to raise.
    int fields = 0;
    lua_pushnil(L);
    while (fields < kMaxStateFields && lua_next(L, 1) != 0) {
        const int valueType = lua_type(L, -1);
        if (lua_type(L, -2) == LUA_TSTRING &&
            (valueType == LUA_TSTRING || valueType == LUA_TNUMBER || valueType == LUA_TBOOLEAN)) {
            lua_pushvalue(L, -2);
            if (valueType == LUA_TBOOLEAN)
                lua_pushstring(L, lua_toboolean(L, -2) ? "true" : "false");
            else {
                lua_pushvalue(L, -2);
                lua_tostring(L, -1);
            }
            // Under the key, for lua_next: the name and value copies.
            lua_insert(L, -4);
            lua_insert(L, -4);
            ++fields;
        }
        lua_pop(L, 1);
    }
    if (fields == kMaxStateFields)
        lua_pop(L, 1); // the key of the iteration left unfinished
    return lua::guarded(L, [&] {
        std::map<QByteArray, QByteArray> state;
        for (int i = 0; i < fields; ++i) {
            size_t nameLength = 0, valueLength = 0;
            const char* name = lua_tolstring(L, 2 + 2 * i, &nameLength);
            const char* value = lua_tolstring(L, 3 + 2 * i, &valueLength);
            // One field a line: line breaks in a value would start another.
            QByteArray text(value, qsizetype(valueLength));
            text.replace('\n', ' ').replace('\r', ' ');
            state[QByteArray(name, qsizetype(nameLength))] = text;
        }
        LuaPlayer::from(L).reportState(std::move(state));
        return 0;
    });
}

} // namespace

void openDesktopSystem(lua_State* L, bool live) {
    lua_getglobal(L, "System");
    lua_pushcfunction(L, w_reportState);
    lua_setfield(L, -2, "reportState");
    if (live) {
        lua_pushcfunction(L, w_changedFiles);
        lua_setfield(L, -2, "changedFiles");
    }
    lua_pop(L, 1);
}

void openSystem(lua_State* L) {
    lua::registerModule(L, "System", kFunctions);
    lua_pop(L, 1);
}
