#pragma once

// The player run in-process and headless on Lua source, for the tests that check what a
// script draws, reads and reports.

#include "player/luaplayer.h"
#include "player/playerhost.h"

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
