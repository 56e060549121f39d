#include "player/luaplayer.h"

#include "player/bindings.h"
#include "player/casepath.h"
#include "player/playerhost.h"
#include "player/textcodec.h"

#include <QDir>
#include <QFile>

#include <lua.hpp>

#include <chrono>
#include <cstdio>
#include <thread>

namespace {

char kPlayerKey;
char kQuitTag; // the error value that unwinds a script when the player quits

void quitHook(lua_State* L, lua_Debug*) {
    lua_pushlightuserdata(L, &kQuitTag);
    lua_error(L);
}

// Keeps the error value and records the traceback for standard error.
int messageHandler(lua_State* L) {
    if (lua_touserdata(L, 1) == &kQuitTag)
        return 1;
    lua_getglobal(L, "debug");
    if (lua_istable(L, -1)) {
        lua_getfield(L, -1, "traceback");
        if (lua_isfunction(L, -1)) {
            lua_pushliteral(L, "");
            lua_pushinteger(L, 2);
            if (lua_pcall(L, 2, 1, 0) == 0 && lua_isstring(L, -1))
                lua_setfield(L, LUA_REGISTRYINDEX, "luaplayer.traceback");
        }
    }
    lua_settop(L, 1);
    return 1;
}

QString errorText(lua_State* L, int idx) {
    if (lua_type(L, idx) == LUA_TSTRING || lua_type(L, idx) == LUA_TNUMBER) {
        size_t len = 0;
        const char* s = lua_tolstring(L, idx, &len);
        return decodeLuaText(QByteArray(s, static_cast<qsizetype>(len)));
    }
    return QStringLiteral("(error object is a %1 value)")
        .arg(QString::fromLatin1(luaL_typename(L, idx)));
}

// Cuts a message into lines of at most `width` characters, at its own line breaks first.
QStringList wrapLines(const QString& text, int width) {
    QStringList out;
    for (QString line : text.split(QLatin1Char('\n'))) {
        line.replace(QLatin1Char('\t'), QLatin1String("  "));
        do {
            // Break at the last space that fits, else in the middle of the word.
            qsizetype cut = line.size() <= width ? line.size() : line.lastIndexOf(QLatin1Char(' '), width);
            if (cut <= 0)
                cut = std::min<qsizetype>(width, line.size());
            out.append(line.left(cut));
            line = line.mid(cut).trimmed();
        } while (!line.isEmpty());
    }
    return out;
}

// pcall, xpcall and coroutine.resume let the player's quit pass through: upvalue 1 is the
// original function, which reports failure as a false first result.
int w_quitProof(lua_State* L) {
    const int nargs = lua_gettop(L);
    lua_pushvalue(L, lua_upvalueindex(1));
    lua_insert(L, 1);
    lua_call(L, nargs, LUA_MULTRET);
    if (lua_toboolean(L, 1) == 0)
        LuaPlayer::checkQuit(L);
    return lua_gettop(L);
}

void makeQuitProof(lua_State* L, const char* table, const char* name) {
    if (table)
        lua_getglobal(L, table);
    else
        lua_pushvalue(L, LUA_GLOBALSINDEX);
    lua_getfield(L, -1, name);
    lua_pushcclosure(L, w_quitProof, 1);
    lua_setfield(L, -2, name);
    lua_pop(L, 1);
}

} // namespace

LuaPlayer::LuaPlayer(PlayerHost& host, PlayerOptions options)
    : mHost(host), mOptions(std::move(options)), mStartDirectory(QDir::currentPath()) {
    mLua = luaL_newstate();
    luaL_openlibs(mLua);
    lua_pushlightuserdata(mLua, &kPlayerKey);
    lua_pushlightuserdata(mLua, this);
    lua_settable(mLua, LUA_REGISTRYINDEX);
    openColor(mLua);
    openImage(mLua);
    openControls(mLua);
    openSystem(mLua);
    openTimer(mLua);
    openFont(mLua);
    openSound(mLua, mHost.audio());
    openFiles(mLua);
    makeQuitProof(mLua, nullptr, "pcall");
    makeQuitProof(mLua, nullptr, "xpcall");
    makeQuitProof(mLua, "coroutine", "resume");
}

LuaPlayer::~LuaPlayer() {
    lua_close(mLua);
    QDir::setCurrent(mStartDirectory);
}

LuaPlayer& LuaPlayer::from(lua_State* L) {
    lua_pushlightuserdata(L, &kPlayerKey);
    lua_gettable(L, LUA_REGISTRYINDEX);
    auto* player = static_cast<LuaPlayer*>(lua_touserdata(L, -1));
    lua_pop(L, 1);
    return *player;
}

int LuaPlayer::run(const QString& scriptPath) {
    const QByteArray file = QFile::encodeName(resolveCase(scriptPath));
    lua_settop(mLua, 0);
    lua_pushcfunction(mLua, messageHandler);
    if (luaL_loadfile(mLua, file.constData()) != 0)
        return finish(1);
    return finish(lua_pcall(mLua, 0, 0, 1));
}

int LuaPlayer::runString(const QByteArray& source, const QByteArray& chunkName) {
    lua_settop(mLua, 0);
    lua_pushcfunction(mLua, messageHandler);
    if (luaL_loadbuffer(mLua, source.constData(), source.size(), chunkName.constData()) != 0)
        return finish(1);
    return finish(lua_pcall(mLua, 0, 0, 1));
}

int LuaPlayer::finish(int status) {
    if (mQuitting) {
        lua_settop(mLua, 0);
        return mExitCode;
    }
    if (status == 0) {
        lua_settop(mLua, 0);
        return 0;
    }
    mError = errorText(mLua, -1);
    lua_getfield(mLua, LUA_REGISTRYINDEX, "luaplayer.traceback");
    mTraceback = lua_isstring(mLua, -1) ? QString::fromUtf8(lua_tostring(mLua, -1)) : QString();
    lua_pushnil(mLua);
    lua_setfield(mLua, LUA_REGISTRYINDEX, "luaplayer.traceback");
    lua_settop(mLua, 0);
    std::fprintf(stderr, "Error: %s%s\n", mError.toLocal8Bit().constData(),
                 mTraceback.toLocal8Bit().constData());
    std::fflush(stderr);
    showError();
    return 1;
}

void LuaPlayer::showError() {
    Image& page = mScreen.back();
    page.clear(Color{0, 0, 0, 255});
    const Color white{255, 255, 255, 255};
    int y = 8;
    for (const QString& line : wrapLines(QStringLiteral("Error: ") + mError, 58)) {
        if (y > Screen::kHeight - 40)
            break;
        page.print(8, y, line, white);
        y += 10;
    }
    page.print(8, Screen::kHeight - 16, QStringLiteral("Appuyez sur START (touche S) ou Échap pour quitter."),
               Color{170, 170, 170, 255});
    flip();
    if (!mOptions.waitOnError)
        return;
    // Wait for START to go down after being up, so a held button does not skip the message.
    bool released = false;
    while (!mQuitting) {
        waitVblank(1);
        const bool start = readPad().has(PadMask::Start);
        if (start && released)
            break;
        released = released || !start;
    }
}

void LuaPlayer::pollClose() {
    if (!mQuitting && mHost.closeRequested())
        requestQuit();
}

void LuaPlayer::waitVblank(int count) {
    for (int i = 0; i < count && !mQuitting; ++i) {
        mHost.waitVblank();
        ++mFrame;
        pollClose();
        if (mOptions.maxFrames >= 0 && mFrame >= mOptions.maxFrames)
            requestQuit();
    }
}

void LuaPlayer::flip() {
    mScreen.flip();
    mHost.present(mScreen);
    mHost.pumpEvents();
    pollClose();
}

Pad LuaPlayer::readPad() {
    mHost.pumpEvents();
    pollClose();
    Pad pad;
    pad.buttons = mHost.heldButtons() | mOptions.buttons.buttonsAt(mFrame);
    return pad;
}

void LuaPlayer::sleepMs(int ms) {
    using namespace std::chrono;
    const auto end = steady_clock::now() + milliseconds(ms);
    while (!mQuitting) {
        mHost.pumpEvents();
        pollClose();
        const auto left = end - steady_clock::now();
        if (left <= steady_clock::duration::zero())
            break;
        std::this_thread::sleep_for(std::min<steady_clock::duration>(left, milliseconds(10)));
    }
}

void LuaPlayer::requestQuit(int exitCode) {
    if (mQuitting)
        return;
    mQuitting = true;
    mExitCode = exitCode;
    // pcall rethrows the quit; the hook also stops a script busy in a loop of its own.
    lua_sethook(mLua, quitHook, LUA_MASKCOUNT, 100);
}

void LuaPlayer::checkQuit(lua_State* L) {
    if (!from(L).mQuitting)
        return;
    lua_pushlightuserdata(L, &kQuitTag);
    lua_error(L);
}
