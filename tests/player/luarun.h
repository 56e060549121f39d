#pragma once

// The player run in-process and headless on Lua source.

#include "player/luaplayer.h"
#include "player/playerhost.h"
#include "player/screen.h"

#include <functional>
#include <map>

// Acts at given vertical blanks (from 1), keeps the screen shown then (filled at the next
// flip), asks to close from a given blank on.
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
    QByteArray recording; // the pad as recorded, with options.recording
    QByteArray state;     // what the game last reported
};

inline LuaRun runLua(const QByteArray& source, PlayerOptions options = {}, PlayerHost* host = nullptr) {
    options.waitOnError = false;
    PlayerHost headless;
    LuaPlayer player(host ? *host : headless, std::move(options));
    const int status = player.runString(source, "=test");
    return {status, player.errorMessage(), player.screen().visible(), player.screen().back().pixels(),
            player.recordingText(), player.stateText()};
}
