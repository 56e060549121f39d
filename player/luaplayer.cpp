#include "player/luaplayer.h"

#include "player/bindings.h"
#include "player/errortext.h"
#include "player/filewatch.h"
#include "player/luapath.h"
#include "player/playerhost.h"
#include "player/runtime.h"
#include "player/termination.h"

#include <QDir>

#include <lua.hpp>

#include <chrono>
#include <cstdio>
#include <thread>

namespace {

char kPlayerKey;
char kQuitTag; // the error value that unwinds a script when the player quits
char kTracebackKey; // registry: the traceback of the last uncaught error

// A script that never waits for a frame must still see Esc and the close button: every so
// many instructions a hook handles window events, at most once per poll interval, and
// unwinds the script when the player quits.
constexpr int kHookInstructions = 10000;
constexpr std::chrono::milliseconds kPollInterval{50};
// A recording run asked to close ends at the next vertical blank; a script that reaches none
// within this time is stopped where it is.
constexpr std::chrono::milliseconds kStopWait{1000};

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
            if (lua_pcall(L, 2, 1, 0) == 0 && lua_type(L, -1) == LUA_TSTRING) {
                lua_pushlightuserdata(L, &kTracebackKey);
                lua_insert(L, -2);
                lua_rawset(L, LUA_REGISTRYINDEX);
            }
        }
    }
    lua_settop(L, 1);
    return 1;
}

// Longest part of an error message that is reported; the screen shows far less.
constexpr qsizetype kErrorBytes = 64 * 1024;
// The error screen: lines of 58 characters every 10 pixels from y = 8, above the prompt.
constexpr int kErrorColumns = 58;
constexpr int kErrorLines = (Screen::kHeight - 40 - 8) / 10 + 1;

// Reads the error value without a Lua allocation: memory may have run out, and nothing
// protects this call.
QString errorText(lua_State* L, int idx) {
    if (lua_type(L, idx) == LUA_TSTRING) {
        size_t len = 0;
        const char* s = lua_tolstring(L, idx, &len);
        return errorMessageText(QByteArrayView(s, static_cast<qsizetype>(len)), kErrorBytes);
    }
    if (lua_type(L, idx) == LUA_TNUMBER)
        return QString::number(lua_tonumber(L, idx), 'g', 14); // as Lua writes numbers
    return QStringLiteral("(error object is a %1 value)")
        .arg(QString::fromLatin1(luaL_typename(L, idx)));
}

// What run() and runString() execute.
struct Chunk {
    const char* text; // the source, or the script file's name
    size_t size;
    const char* name; // the chunk name of a source; nullptr for a file
};

// Loads the chunk and calls it under the message handler. It runs inside lua_cpcall, so
// that no Lua error, out of memory included, gets past the player: the error value is left
// on the stack.
int runChunk(lua_State* L) {
    const Chunk chunk = *static_cast<const Chunk*>(lua_touserdata(L, 1));
    lua_settop(L, 0);
    lua_pushcfunction(L, messageHandler);
    if (chunk.name) {
        if (luaL_loadbuffer(L, chunk.text, chunk.size, chunk.name) != 0)
            return lua_error(L);
    } else {
        lua_pushlstring(L, chunk.text, chunk.size);
        if (loadScriptFile(L, 2) != 1)
            return lua_error(L);
        lua_remove(L, 2);
    }
    if (lua_pcall(L, 0, 0, 1) != 0)
        return lua_error(L);
    return 0;
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
    lua::installProtectedCalls(mLua);
    openLibraries(mLua);
    lua_pushlightuserdata(mLua, &kPlayerKey);
    lua_pushlightuserdata(mLua, this);
    lua_settable(mLua, LUA_REGISTRYINDEX);
    openColor(mLua);
    openImage(mLua);
    openControls(mLua);
    openSystem(mLua);
    openDesktopSystem(mLua, mOptions.live);
    openTimer(mLua);
    openRandom(mLua);
    if (mOptions.frameClock) {
        mClock.followFrames(&mFrame, mOptions.clockStart);
        openFrameClock(mLua);
    }
    openFont(mLua);
    openSound(mLua, mHost.audio());
    openFiles(mLua);
    openScripts(mLua);
    makeQuitProof(mLua, nullptr, "pcall");
    makeQuitProof(mLua, nullptr, "xpcall");
    makeQuitProof(mLua, "coroutine", "resume");
    // Coroutines inherit the hook of the thread that makes them.
    lua_sethook(mLua, scriptHook, LUA_MASKCOUNT, kHookInstructions);
}

LuaPlayer::~LuaPlayer() {
    lua_close(mLua);
    QDir::setCurrent(mStartDirectory);
}

LuaPlayer& LuaPlayer::from(lua_State* L) {
    lua_pushlightuserdata(L, &kPlayerKey);
    lua_rawget(L, LUA_REGISTRYINDEX);
    auto* player = static_cast<LuaPlayer*>(lua_touserdata(L, -1));
    lua_pop(L, 1);
    return *player;
}

int LuaPlayer::run(const QString& scriptPath) {
    // Named as a script names files, so that it is loaded as dofile loads them.
    const QByteArray name = pathToLua(scriptPath);
    Chunk chunk{name.constData(), static_cast<size_t>(name.size()), nullptr};
    lua_settop(mLua, 0);
    return finish(lua_cpcall(mLua, runChunk, &chunk));
}

int LuaPlayer::runString(const QByteArray& source, const QByteArray& chunkName) {
    Chunk chunk{source.constData(), static_cast<size_t>(source.size()), chunkName.constData()};
    lua_settop(mLua, 0);
    return finish(lua_cpcall(mLua, runChunk, &chunk));
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
    // The script may have failed for want of memory: what is built here is small, and when
    // even that fails the error is told without its text.
    try {
        mError = errorText(mLua, -1);
        mTraceback = QString();
        lua_pushlightuserdata(mLua, &kTracebackKey);
        lua_rawget(mLua, LUA_REGISTRYINDEX);
        if (lua_type(mLua, -1) == LUA_TSTRING) {
            size_t len = 0;
            const char* traceback = lua_tolstring(mLua, -1, &len);
            mTraceback = errorMessageText(QByteArrayView(traceback, static_cast<qsizetype>(len)), kErrorBytes);
            // Forgotten for the next run; the key exists, so no allocation.
            lua_pushlightuserdata(mLua, &kTracebackKey);
            lua_pushnil(mLua);
            lua_rawset(mLua, LUA_REGISTRYINDEX);
        }
    } catch (const std::bad_alloc&) {
        mError = QStringLiteral("not enough memory");
        mTraceback = QString();
    }
    lua_settop(mLua, 0);
    try {
        std::fprintf(stderr, "Error: %s%s\n", mError.toLocal8Bit().constData(),
                     mTraceback.toLocal8Bit().constData());
    } catch (const std::bad_alloc&) {
        std::fputs("Error: not enough memory\n", stderr);
    }
    std::fflush(stderr);
    showError();
    return 1;
}

void LuaPlayer::showError() {
    Image& page = mScreen.back();
    page.clear(Color{0, 0, 0, 255});
    const Color white{255, 255, 255, 255};
    QStringList lines;
    try {
        lines = wrapErrorLines(QStringLiteral("Error: ") + mError, kErrorColumns, kErrorLines);
    } catch (const std::bad_alloc&) {
        page.print(8, 8, QStringLiteral("Error: not enough memory"), white);
    }
    int y = 8;
    for (const QString& line : lines) {
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
    if (mQuitting || !(mHost.closeRequested() || terminationRequested()))
        return;
    if (mOptions.recording)
        endAtNextVblank();
    else
        requestQuit();
}

void LuaPlayer::endAtNextVblank() {
    if (mStopFrame >= 0)
        return;
    mStopFrame = mFrame + 1;
    mStopAsked = std::chrono::steady_clock::now();
}

void LuaPlayer::waitVblank(int count) {
    for (int i = 0; i < count && !mQuitting; ++i) {
        mHost.waitVblank();
        ++mFrame;
        pollClose();
        if ((mOptions.maxFrames >= 0 && mFrame >= mOptions.maxFrames) ||
            (mStopFrame >= 0 && mFrame >= mStopFrame)) {
            mEndedAtVblank = true;
            requestQuit();
        }
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
    if (!mOptions.recording) {
        pad.buttons = mHost.heldButtons() | mOptions.buttons.buttonsAt(mFrame);
        return pad;
    }
    // One reading a frame, as a replay gives one.
    if (mLatchedFrame != mFrame) {
        mLatchedFrame = mFrame;
        mLatched = mHost.heldButtons() | mOptions.buttons.buttonsAt(mFrame);
        mRecorder.record(mFrame, mLatched);
    }
    pad.buttons = mLatched;
    return pad;
}

QStringList LuaPlayer::changedFiles() {
    if (!mWatch) {
        mWatch = std::make_unique<FileWatch>(QDir::currentPath());
        return {};
    }
    QStringList changed = mWatch->takeChanged();
    if (!changed.isEmpty())
        ++mLiveChanges;
    return changed;
}

QByteArray LuaPlayer::recordingText() const {
    RecordingHeader header;
    header.clockStart = mClock.startSeconds();
    // A run that ended at a vertical blank replays to it; one whose script ended between two
    // blanks replays until the script ends, before the next blank.
    header.frames = mEndedAtVblank ? mFrame : mFrame + 1;
    header.liveChanges = mLiveChanges;
    return mRecorder.text(header);
}

QByteArray LuaPlayer::stateText() const {
    QByteArray text = "image=" + QByteArray::number(mFrame) + '\n';
    for (const auto& [name, value] : mState)
        text += name + '=' + value + '\n';
    return text;
}

void LuaPlayer::sleepMs(int ms) {
    using namespace std::chrono;
    const auto end = steady_clock::now() + milliseconds(ms);
    while (!mQuitting && mStopFrame < 0) {
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
    // pcall rethrows the quit; the hook stops a script busy in a loop of its own.
}

void LuaPlayer::scriptHook(lua_State* L, lua_Debug*) {
    LuaPlayer& player = from(L);
    const auto now = std::chrono::steady_clock::now();
    if (now - player.mLastPoll >= kPollInterval) {
        player.mLastPoll = now;
        player.mHost.pumpEvents();
        player.pollClose();
        if (player.mStopFrame >= 0 && now - player.mStopAsked >= kStopWait)
            player.requestQuit();
    }
    checkQuit(L);
}

std::int64_t LuaPlayer::memoryUsed() const {
    const std::int64_t lua = std::int64_t(lua_gc(mLua, LUA_GCCOUNT, 0)) * 1024 + lua_gc(mLua, LUA_GCCOUNTB, 0);
    return mImageBytes + lua;
}

void LuaPlayer::checkQuit(lua_State* L) {
    if (!from(L).mQuitting)
        return;
    lua_pushlightuserdata(L, &kQuitTag);
    lua_error(L);
}
