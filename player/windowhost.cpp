#include "player/windowhost.h"

#include "player/screen.h"

#include <QCoreApplication>

WindowHost::WindowHost(int scale) : mWindow(scale) {
    mWindow.show();
}

void WindowHost::present(const Screen& screen) {
    mWindow.showFrame(screen.front().pixels());
}

void WindowHost::waitForVblank() {
    pumpEvents();
    mClock.wait();
}

// A frame asks for events at the vertical blank, the flip and the pad's reading, all within a
// millisecond after the wait; once is enough there.
void WindowHost::pumpEvents() {
    const auto now = VblankClock::Clock::now();
    if (now - mLastPump < std::chrono::milliseconds(1))
        return;
    mLastPump = now;
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}
