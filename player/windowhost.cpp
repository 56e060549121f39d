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

void WindowHost::pumpEvents() {
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}
