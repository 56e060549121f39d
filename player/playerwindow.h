#pragma once

#include "player/shownframe.h"

#include <QBackingStore>
#include <QWindow>

#include <cstdint>

// The window that shows the console screen: scaled by a whole factor when it fits (sharp
// pixels), centred with black bars, F11 for full screen. A new frame repaints only what
// changed, drawn scaled straight into the window's backing store. Keys become pad buttons;
// Esc and closing the window ask the game to end.
class PlayerWindow : public QWindow {
    Q_OBJECT
public:
    explicit PlayerWindow(int scale = 2);

    // The visible page, 480 x 272.
    void showFrame(const QImage& page);
    std::uint32_t heldButtons() const { return mButtons; }
    bool closeRequested() const { return mCloseRequested; }
    // Where the screen is drawn for the current window size.
    QRect screenRect() const;

protected:
    void exposeEvent(QExposeEvent*) override;
    void resizeEvent(QResizeEvent*) override;
    void keyPressEvent(QKeyEvent*) override;
    void keyReleaseEvent(QKeyEvent*) override;
    void focusOutEvent(QFocusEvent*) override;
    bool event(QEvent*) override;

private:
    void repaint(const QRegion& region);

    QBackingStore mStore;
    ShownFrame mFrame;
    std::uint32_t mButtons = 0;
    bool mCloseRequested = false;
};
