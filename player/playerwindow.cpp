#include "player/playerwindow.h"

#include "player/pad.h"
#include "player/screen.h"

#include <QKeyEvent>
#include <QPainter>

#include <cmath>

PlayerWindow::PlayerWindow(int scale) : mStore(this) {
    setTitle(QStringLiteral("LuaPlayer"));
    scale = std::max(scale, 1);
    resize(Screen::kWidth * scale, Screen::kHeight * scale);
    setMinimumSize(QSize(Screen::kWidth / 4, Screen::kHeight / 4));
}

void PlayerWindow::showFrame(const QImage& page) {
    const QRect changed = mFrame.take(page);
    if (!changed.isEmpty())
        repaint(ShownFrame::windowArea(screenRect(), changed)); // at once: the flip is now
}

QRect PlayerWindow::screenRect() const {
    const QSize area = size();
    const double fit = std::min(double(area.width()) / Screen::kWidth,
                                double(area.height()) / Screen::kHeight);
    // A whole factor keeps every console pixel the same size; below 1 there is no choice.
    const double scale = fit >= 1 ? std::floor(fit) : fit;
    const QSize shown(qRound(Screen::kWidth * scale), qRound(Screen::kHeight * scale));
    return QRect(QPoint((area.width() - shown.width()) / 2, (area.height() - shown.height()) / 2),
                 shown);
}

void PlayerWindow::exposeEvent(QExposeEvent*) {
    if (isExposed())
        repaint(QRect(QPoint(0, 0), size()));
}

void PlayerWindow::resizeEvent(QResizeEvent*) {
    mStore.resize(size());
}

void PlayerWindow::repaint(const QRegion& region) {
    if (!isExposed() || region.isEmpty())
        return;
    const QRect target = screenRect();
    mStore.beginPaint(region);
    QPaintDevice* device = mStore.paintDevice();
    auto* image = device->devType() == QInternal::Image ? static_cast<QImage*>(device) : nullptr;
    const bool direct = image && image->depth() == 32 && image->devicePixelRatio() == 1
                        && target.width() % Screen::kWidth == 0;
    if (direct) {
        for (const QRect& r : region)
            mFrame.paintScaled(*image, target, r);
    } else {
        QPainter painter(device);
        mFrame.paint(painter, target, region);
    }
    mStore.endPaint();
    mStore.flush(region);
}

void PlayerWindow::keyPressEvent(QKeyEvent* e) {
    if (e->key() == Qt::Key_Escape) {
        mCloseRequested = true;
        return;
    }
    if (e->key() == Qt::Key_F11) {
        if (!e->isAutoRepeat())
            setWindowStates(windowStates() ^ Qt::WindowFullScreen);
        return;
    }
    if (e->isAutoRepeat())
        return;
    mButtons |= padButtonForKey(e->nativeScanCode(), e->key());
}

void PlayerWindow::keyReleaseEvent(QKeyEvent* e) {
    if (e->isAutoRepeat())
        return;
    mButtons &= ~padButtonForKey(e->nativeScanCode(), e->key());
}

void PlayerWindow::focusOutEvent(QFocusEvent*) {
    mButtons = 0;
}

bool PlayerWindow::event(QEvent* e) {
    if (e->type() == QEvent::Close) {
        mCloseRequested = true;
        e->ignore(); // the game ends first, then the window goes
        return true;
    }
    return QWindow::event(e);
}
