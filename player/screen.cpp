#include "player/screen.h"

namespace {

QImage blackPage() {
    QImage page(Screen::kWidth, Screen::kHeight, QImage::Format_ARGB32);
    page.fill(qRgba(0, 0, 0, 255));
    return page;
}

} // namespace

Screen::Screen() : mPages{Image(blackPage()), Image(blackPage())} {}

QImage Screen::visible() const {
    const QImage& src = front().pixels();
    QImage out(src.size(), QImage::Format_RGB32);
    for (int y = 0; y < src.height(); ++y) {
        const auto* s = reinterpret_cast<const QRgb*>(src.constScanLine(y));
        auto* d = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < src.width(); ++x)
            d[x] = s[x] | 0xFF000000u;
    }
    return out;
}
