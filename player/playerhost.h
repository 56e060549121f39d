#pragma once

#include "player/audio.h"

#include <cstdint>

class Screen;

// Where the player shows its screen, plays its sound and gets its input from. The default
// shows and hears nothing: headless runs, where vertical blanks take no time and no key is
// ever down.
class PlayerHost {
public:
    virtual ~PlayerHost() = default;
    // A flip made the screen's front page visible.
    virtual void present(const Screen&) {}
    // Blocks until the next vertical blank, then lets the sound advance by one frame.
    void waitVblank() {
        waitForVblank();
        mAudio.vblank();
    }
    // Handles pending window events without waiting.
    virtual void pumpEvents() {}
    // Buttons held on the keyboard.
    virtual std::uint32_t heldButtons() const { return 0; }
    // The user closed the window or pressed Esc.
    virtual bool closeRequested() const { return false; }

    Audio& audio() { return mAudio; }

protected:
    // Blocks until the next vertical blank, handling window events meanwhile.
    virtual void waitForVblank() {}

private:
    Audio mAudio;
};
