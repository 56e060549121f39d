#pragma once

#include "player/playerhost.h"
#include "player/playerwindow.h"
#include "player/vblankclock.h"

// Runs the player in a window at 60 vertical blanks per second.
class WindowHost : public PlayerHost {
public:
    explicit WindowHost(int scale = 2);

    void present(const Screen& screen) override;
    void pumpEvents() override;
    std::uint32_t heldButtons() const override { return mWindow.heldButtons(); }
    bool closeRequested() const override { return mWindow.closeRequested(); }

    PlayerWindow& window() { return mWindow; }

protected:
    void waitForVblank() override;

private:
    PlayerWindow mWindow;
    VblankClock mClock;
    VblankClock::Clock::time_point mLastPump;
};
