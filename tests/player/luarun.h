#pragma once

// The player run in-process and headless on Lua source, for the tests that check what a
// script draws, reads and reports.

#include "player/luaplayer.h"
#include "player/playerhost.h"
#include "player/screen.h"

#include <functional>
#include <map>

// Headless, acting at given vertical blanks (counted from 1), keeping the screen shown then
// (filled at the flip that follows), and asking to close from a given blank on.
class ScriptedHost : public PlayerHost {
public:
    std::map<int, std::function<void()>> actions;
    std::map<int, QImage> shots;
    int closeAt = -1;
    int frames = 0;

    bool closeRequested() const override { return closeAt >= 0 && frames >= closeAt; }
    void present(const Screen& screen) override {
        if (auto it = shots.find(frames); it != shots.end())
            it->second = screen.front().pixels().copy();
    }

protected:
    void waitForVblank() override {
        if (auto it = actions.find(++frames); it != actions.end())
            it->second();
    }
};

struct LuaRun {
    int status = -1;
    QString error;
    QImage visible; // the shown page
    QImage back;    // the page being drawn
    std::int64_t frame = 0;
    QByteArray recording; // the pad as recorded, with options.recording
    QByteArray state;     // what the game last reported
};

inline LuaRun runLua(const QByteArray& source, PlayerOptions options = {}, PlayerHost* host = nullptr) {
    options.waitOnError = false;
    PlayerHost headless;
    LuaPlayer player(host ? *host : headless, std::move(options));
    const int status = player.runString(source, "=test");
    return {status,         player.errorMessage(),   player.screen().visible(), player.screen().back().pixels(),
            player.frame(), player.recordingText(), player.stateText()};
}
