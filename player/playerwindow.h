#pragma once

#include <QImage>
#include <QRasterWindow>

#include <cstdint>

// The window that shows the console screen: scaled by a whole factor when it fits (sharp
// pixels), centred with black bars, F11 for full screen. Keys become pad buttons; Esc and
// closing the window ask the game to end.
class PlayerWindow : public QRasterWindow {
    Q_OBJECT
public:
    explicit PlayerWindow(int scale = 2);

    void showFrame(const QImage& frame); // the visible page, 480 x 272
    std::uint32_t heldButtons() const { return mButtons; }
    bool closeRequested() const { return mCloseRequested; }
    // Where the screen is drawn for the current window size.
    QRect screenRect() const;

protected:
    void paintEvent(QPaintEvent*) override;
    void resizeEvent(QResizeEvent*) override;
    void keyPressEvent(QKeyEvent*) override;
    void keyReleaseEvent(QKeyEvent*) override;
    void focusOutEvent(QFocusEvent*) override;
    bool event(QEvent*) override;

private:
    QImage mFrame;
    QImage mScaled; // mFrame at the size of screenRect(), made when needed
    std::uint32_t mButtons = 0;
    bool mCloseRequested = false;
};
