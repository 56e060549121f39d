#pragma once

#include "player/buttonscript.h"
#include "player/pad.h"
#include "player/padrecorder.h"
#include "player/playclock.h"
#include "player/random.h"
#include "player/screen.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <chrono>
#include <cstdint>
#include <map>
#include <memory>

struct lua_Debug;
struct lua_State;
class FileWatch;
class PlayerHost;

struct PlayerOptions {
    std::int64_t maxFrames = -1; // stop after this many vertical blanks; -1: no limit
    ButtonScript buttons;        // scripted input, added to the keyboard's
    bool waitOnError = true;     // keep the error screen until START (or the end of frames)
    // Memory a game may hold, its images and its Lua data together, as on the console:
    // past it, creating an image fails.
    std::int64_t memoryLimit = 64 * 1024 * 1024;
    // The game may ask which of its files were saved while it runs (System.changedFiles).
    bool live = false;
    // The pad is read once a frame and kept for recordingText(); a close request then ends the
    // run at the next vertical blank, where a replay with --frames ends too.
    bool recording = false;
    // Timers, os.time, os.clock and os.date follow the frame count, from clockStart (seconds
    // since 1970): recorded and replayed runs.
    bool frameClock = false;
    std::int64_t clockStart = 0;
};

// The Lua engine: one Lua 5.1 state with the standard libraries and the console API, the
// screen, the frame counter and the pad. run() executes a script to its end.
class LuaPlayer {
public:
    explicit LuaPlayer(PlayerHost& host, PlayerOptions options = {});
    ~LuaPlayer(); // also restores the working directory of before run()
    LuaPlayer(const LuaPlayer&) = delete;
    LuaPlayer& operator=(const LuaPlayer&) = delete;

    // Runs the script file; 0 when it ended or the user quit, 1 after an uncaught error.
    int run(const QString& scriptPath);
    // Runs Lua source text (tests and tools); same results as run().
    int runString(const QByteArray& source, const QByteArray& chunkName = "=string");

    Screen& screen() { return mScreen; }
    std::int64_t frame() const { return mFrame; }
    QString errorMessage() const { return mError; } // of the last uncaught error

    // Used by the bindings.
    static LuaPlayer& from(lua_State* L);
    void waitVblank(int count);
    void flip();
    Pad readPad();
    void sleepMs(int ms);
    void requestQuit(int exitCode = 0);
    bool quitting() const { return mQuitting; }
    // Raises the error that unwinds the script when quitting; returns only when not quitting.
    static void checkQuit(lua_State* L);

    // Image pixels are invisible to Lua's collector; the image bindings count them here.
    void addImageBytes(std::int64_t bytes) { mImageBytes += bytes; }
    // Images and Lua data.
    std::int64_t memoryUsed() const;
    std::int64_t memoryLimit() const { return mOptions.memoryLimit; }

    const PlayClock& clock() const { return mClock; }
    Random& random() { return mRandom; }
    // Files of the game's folder saved since the last call, relative to it; the first call
    // starts watching the current folder.
    QStringList changedFiles();
    // What the game last told of itself (System.reportState): field names and their text.
    void reportState(std::map<QByteArray, QByteArray> fields) { mState = std::move(fields); }

    // The run's pad in the --buttons format, with the frames that replay it (recording runs).
    QByteArray recordingText() const;
    // "image=N" (the frames run), then the fields the game last reported, one "name=value" a
    // line, sorted by name.
    QByteArray stateText() const;

private:
    int finish(int status);
    void showError();
    void pollClose();
    void endAtNextVblank();
    static void scriptHook(lua_State* L, lua_Debug* ar);

    PlayerHost& mHost;
    PlayerOptions mOptions;
    lua_State* mLua = nullptr;
    Screen mScreen;
    std::int64_t mFrame = 0;
    std::int64_t mImageBytes = 0;
    bool mQuitting = false;
    int mExitCode = 0;
    QString mError;
    QString mTraceback;
    QString mStartDirectory;
    std::chrono::steady_clock::time_point mLastPoll; // window events seen from the hook
    PlayClock mClock;
    Random mRandom;
    std::unique_ptr<FileWatch> mWatch;
    std::int64_t mLiveChanges = 0;
    std::map<QByteArray, QByteArray> mState;
    PadRecorder mRecorder;
    std::int64_t mLatchedFrame = -1; // the frame whose pad is mLatched
    std::uint32_t mLatched = 0;
    std::int64_t mStopFrame = -1;    // a recording run ends at this vertical blank
    std::chrono::steady_clock::time_point mStopAsked;
    bool mEndedAtVblank = false;
};
