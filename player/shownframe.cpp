#include "player/shownframe.h"

#include "player/screen.h"

#include <QPainter>

#include <cmath>


ShownFrame::ShownFrame() : mImage(Screen::kWidth, Screen::kHeight, QImage::Format_RGB32) {
    mImage.fill(Qt::black);
}

namespace {

// Whether a row of the page, made opaque, differs from the shown row: a plain loop the
// compiler turns into vector instructions.
bool rowDiffers(const QRgb* page, const QRgb* shown) {
    QRgb diff = 0;
    for (int x = 0; x < Screen::kWidth; ++x)
        diff |= (page[x] | 0xFF000000u) ^ shown[x];
    return diff != 0;
}

void copyOpaque(const QRgb* __restrict page, QRgb* __restrict shown) {
    for (int x = 0; x < Screen::kWidth; ++x)
        shown[x] = page[x] | 0xFF000000u;
}

} // namespace

QRect ShownFrame::take(const QImage& page) {
    int left = Screen::kWidth, right = -1, top = -1, bottom = -1;
    for (int y = 0; y < Screen::kHeight; ++y) {
        const auto* src = reinterpret_cast<const QRgb*>(page.constScanLine(y));
        const auto* shown = reinterpret_cast<const QRgb*>(mImage.constScanLine(y));
        if (!rowDiffers(src, shown))
            continue;
        int first = 0, last = Screen::kWidth - 1;
        while ((src[first] | 0xFF000000u) == shown[first])
            ++first;
        while ((src[last] | 0xFF000000u) == shown[last])
            --last;
        left = std::min(left, first);
        right = std::max(right, last);
        if (top < 0)
            top = y;
        bottom = y;
        copyOpaque(src, reinterpret_cast<QRgb*>(mImage.scanLine(y)));
    }
    return top < 0 ? QRect() : QRect(QPoint(left, top), QPoint(right, bottom));
}

void ShownFrame::paint(QPainter& painter, const QRect& target, const QRegion& region) const {
    for (const QRect& r : region) {
        painter.setClipRect(r);
        for (const QRect& bar : QRegion(r).subtracted(target))
            painter.fillRect(bar, Qt::black);
        if (r.intersects(target))
            painter.drawImage(target, mImage);
    }
}

namespace {

// Window pixels [x, end) of a row whose console pixel sx starts at window x = left + sx * F
// (F = 0: the factor is given at run time).
template <int F>
void scaleRow(const QRgb* s, QRgb* d, int x, int end, int left, int runtimeFactor = 0) {
    const int factor = F ? F : runtimeFactor;
    int sx = (x - left) / factor;
    for (const int head = std::min(end, left + (sx + 1) * factor); x < head; ++x) // a cut pixel
        d[x] = s[sx];
    ++sx;
    const int whole = left + (end - left) / factor * factor;
    for (; x < whole; x += factor, ++sx)
        std::fill_n(d + x, factor, s[sx]);
    for (; x < end; ++x)
        d[x] = s[sx];
}

} // namespace

void ShownFrame::paintScaled(QImage& window, const QRect& target, const QRect& area) const {
    const int factor = target.width() / Screen::kWidth;
    const QRect r = area & window.rect();
    const int from = std::max(r.left(), target.left()), to = std::min(r.right(), target.right()) + 1;
    for (int y = r.top(); y <= r.bottom(); ++y) {
        auto* d = reinterpret_cast<QRgb*>(window.scanLine(y));
        const int sy = y - target.top();
        if (sy < 0 || sy >= target.height() || from >= to) {
            std::fill(d + r.left(), d + r.right() + 1, qRgb(0, 0, 0));
            continue;
        }
        if (sy % factor != 0 && y != r.top()) { // a repeat of the row above
            std::copy_n(reinterpret_cast<const QRgb*>(window.constScanLine(y - 1)) + r.left(), r.width(), d + r.left());
            continue;
        }
        std::fill(d + r.left(), d + from, qRgb(0, 0, 0));
        const QRgb* s = reinterpret_cast<const QRgb*>(mImage.constScanLine(sy / factor));
        if (factor == 2)
            scaleRow<2>(s, d, from, to, target.left());
        else
            scaleRow<0>(s, d, from, to, target.left(), factor);
        std::fill(d + to, d + r.right() + 1, qRgb(0, 0, 0));
    }
}

QRect ShownFrame::windowArea(const QRect& target, const QRect& area) {
    const double sx = double(target.width()) / Screen::kWidth;
    const double sy = double(target.height()) / Screen::kHeight;
    // Rounded outwards: below a whole factor a console pixel may touch one more window pixel.
    return QRect(QPoint(target.x() + int(std::floor(area.left() * sx)),
                        target.y() + int(std::floor(area.top() * sy))),
                 QPoint(target.x() + int(std::ceil((area.right() + 1) * sx)) - 1,
                        target.y() + int(std::ceil((area.bottom() + 1) * sy)) - 1))
        .intersected(target);
}
