#include "player/playerwindow.h"

#include "player/pad.h"
#include "player/screen.h"

#include <QKeyEvent>
#include <QPainter>

#include <cmath>

PlayerWindow::PlayerWindow(int scale) {
    setTitle(QStringLiteral("LuaPlayer"));
    scale = std::max(scale, 1);
    resize(Screen::kWidth * scale, Screen::kHeight * scale);
    setMinimumSize(QSize(Screen::kWidth / 4, Screen::kHeight / 4));
    mFrame = QImage(Screen::kWidth, Screen::kHeight, QImage::Format_RGB32);
    mFrame.fill(Qt::black);
}

void PlayerWindow::showFrame(const QImage& frame) {
    mFrame = frame;
    mScaled = QImage();
    update();
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

void PlayerWindow::paintEvent(QPaintEvent*) {
    const QRect target = screenRect();
    if (mScaled.size() != target.size()) {
        const int factor = target.width() / Screen::kWidth;
        if (factor >= 1 && target.width() == Screen::kWidth * factor) {
            // Whole factor: repeat each pixel, cheaper than a general scaling.
            mScaled = QImage(target.size(), QImage::Format_RGB32);
            for (int y = 0; y < Screen::kHeight; ++y) {
                const auto* s = reinterpret_cast<const QRgb*>(mFrame.constScanLine(y));
                auto* d = reinterpret_cast<QRgb*>(mScaled.scanLine(y * factor));
                for (int x = 0; x < Screen::kWidth; ++x)
                    std::fill_n(d + x * factor, factor, s[x]);
                for (int r = 1; r < factor; ++r)
                    std::copy_n(d, target.width(),
                                reinterpret_cast<QRgb*>(mScaled.scanLine(y * factor + r)));
            }
        } else {
            mScaled = mFrame.scaled(target.size(), Qt::IgnoreAspectRatio, Qt::FastTransformation);
        }
    }
    QPainter painter(this);
    const QRegion bars = QRegion(QRect(QPoint(0, 0), size())).subtracted(target);
    for (const QRect& r : bars)
        painter.fillRect(r, Qt::black);
    painter.drawImage(target.topLeft(), mScaled);
}

void PlayerWindow::resizeEvent(QResizeEvent*) {
    mScaled = QImage();
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
    return QRasterWindow::event(e);
}
