#include "player/image.h"

#include "player/font8x8.h"

#include <QImageReader>
#include <QImageWriter>

#include <cstdint>
#include <cstdlib>
#include <stdexcept>

namespace {

bool isJpegName(const QString& path) {
    return path.endsWith(QLatin1String(".jpg"), Qt::CaseInsensitive)
        || path.endsWith(QLatin1String(".jpeg"), Qt::CaseInsensitive);
}

std::runtime_error failure(const char* what, const QString& path) {
    return std::runtime_error(std::string(what) + ": " + path.toStdString());
}

// Source over destination for non-premultiplied pixels.
QRgb over(QRgb s, QRgb d) {
    const int sa = qAlpha(s);
    if (qAlpha(d) == 255) { // the usual case, the screen: no division by a variable
        const auto mix = [sa](int sc, int dc) { return (sc * sa + dc * (255 - sa) + 127) / 255; };
        return qRgb(mix(qRed(s), qRed(d)), mix(qGreen(s), qGreen(d)), mix(qBlue(s), qBlue(d)));
    }
    const int w = qAlpha(d) * (255 - sa);
    const int den = sa * 255 + w;
    if (den == 0)
        return 0;
    const auto mix = [&](int sc, int dc) { return (sc * sa * 255 + dc * w + den / 2) / den; };
    return qRgba(mix(qRed(s), qRed(d)), mix(qGreen(s), qGreen(d)), mix(qBlue(s), qBlue(d)),
                 (den + 127) / 255);
}

} // namespace

Image::Image(int width, int height) {
    if (width < 1 || height < 1 || width > kMaxSide || height > kMaxSide)
        throw std::runtime_error("invalid image size " + std::to_string(width) + "x"
                                 + std::to_string(height) + " (1 to 512 pixels per side)");
    mPixels = QImage(width, height, QImage::Format_ARGB32);
    mPixels.fill(0);
}

Image::Image(QImage pixels) : mPixels(pixels.convertToFormat(QImage::Format_ARGB32)) {}

Image Image::load(const QString& path) {
    QImageReader reader(path, isJpegName(path) ? "jpeg" : "png");
    reader.setAutoTransform(false);
    const QSize size = reader.size();
    if (size.isValid() && (size.width() > kMaxSide || size.height() > kMaxSide))
        throw failure("image larger than 512 pixels", path);
    QImage pixels = reader.read();
    if (pixels.isNull())
        throw failure("cannot load image", path);
    if (pixels.width() > kMaxSide || pixels.height() > kMaxSide)
        throw failure("image larger than 512 pixels", path);
    return Image(std::move(pixels));
}

void Image::save(const QString& path) const {
    QImageWriter writer(path, isJpegName(path) ? "jpeg" : "png");
    if (!writer.write(mPixels))
        throw failure("cannot save image", path);
}

void Image::clear(Color color) {
    mPixels.fill(color.rgba());
}

// Scripts may pass any int: rectangles and lines are clipped in 64 bits, where no sum of two
// ints overflows.
void Image::fillRect(int x, int y, int w, int h, Color color) {
    const std::int64_t x0 = std::max(x, 0), y0 = std::max(y, 0);
    const std::int64_t x1 = std::min<std::int64_t>(std::int64_t(x) + std::max(w, 0), width());
    const std::int64_t y1 = std::min<std::int64_t>(std::int64_t(y) + std::max(h, 0), height());
    const QRgb p = color.rgba();
    for (std::int64_t yy = y0; yy < y1; ++yy)
        std::fill(line(int(yy)) + x0, line(int(yy)) + std::max(x0, x1), p);
}

void Image::drawLine(int x0, int y0, int x1, int y1, Color color) {
    // Bresenham's line, written in closed form: at step k along the major axis the minor
    // offset is k * minor / major rounded half up. Only the steps whose major coordinate
    // falls inside the image are computed, so the visible part is drawn as on a larger sheet
    // at a cost bounded by the image's size.
    __extension__ using Wide = __int128; // k * minor needs up to 66 bits
    const std::int64_t dx = std::abs(std::int64_t(x1) - x0), dy = std::abs(std::int64_t(y1) - y0);
    const bool xMajor = dx >= dy;
    const std::int64_t major = xMajor ? dx : dy, minor = xMajor ? dy : dx;
    const std::int64_t a0 = xMajor ? x0 : y0, b0 = xMajor ? y0 : x0;
    const int stepA = (xMajor ? x0 < x1 : y0 < y1) ? 1 : -1;
    const int stepB = (xMajor ? y0 < y1 : x0 < x1) ? 1 : -1;
    const std::int64_t extent = xMajor ? width() : height();
    // Steps k in [0, major] with a0 + stepA * k in [0, extent - 1].
    const std::int64_t first = std::max<std::int64_t>(0, stepA > 0 ? -a0 : a0 - (extent - 1));
    const std::int64_t last = std::min(major, stepA > 0 ? extent - 1 - a0 : a0);
    const QRgb p = color.rgba();
    for (std::int64_t k = first; k <= last; ++k) {
        const std::int64_t across =
            major == 0 ? 0 : std::int64_t((Wide(2) * k * minor + major) / (Wide(2) * major));
        const std::int64_t a = a0 + stepA * k, b = b0 + stepB * across;
        if (xMajor)
            plot(a, b, p);
        else
            plot(b, a, p);
    }
}

Color Image::pixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= width() || y >= height())
        throw std::runtime_error("pixel (" + std::to_string(x) + ", " + std::to_string(y)
                                 + ") outside the image");
    return Color::fromRgba(line(y)[x]);
}

void Image::setPixel(int x, int y, Color color) {
    pixel(x, y); // range check
    line(y)[x] = color.rgba();
}

void Image::blit(int dx, int dy, const Image& src, int sx, int sy, int w, int h, bool alpha) {
    if (&src == this) {
        const Image copy(mPixels.copy());
        blit(dx, dy, copy, sx, sy, w, h, alpha);
        return;
    }
    // Clip the source rectangle to the source, then the destination to this image, in 64
    // bits; what is left lies inside both images.
    std::int64_t toX = dx, toY = dy, fromX = sx, fromY = sy, cols = w, rows = h;
    if (fromX < 0) { cols += fromX; toX -= fromX; fromX = 0; }
    if (fromY < 0) { rows += fromY; toY -= fromY; fromY = 0; }
    cols = std::min<std::int64_t>(cols, src.width() - fromX);
    rows = std::min<std::int64_t>(rows, src.height() - fromY);
    if (toX < 0) { cols += toX; fromX -= toX; toX = 0; }
    if (toY < 0) { rows += toY; fromY -= toY; toY = 0; }
    cols = std::min<std::int64_t>(cols, width() - toX);
    rows = std::min<std::int64_t>(rows, height() - toY);
    if (cols <= 0 || rows <= 0)
        return;
    for (int row = 0; row < rows; ++row) {
        const QRgb* s = src.line(int(fromY) + row) + fromX;
        QRgb* d = line(int(toY) + row) + toX;
        if (!alpha) {
            std::copy(s, s + cols, d);
            continue;
        }
        for (int i = 0; i < cols; ++i) {
            const int a = qAlpha(s[i]);
            if (a == 255)
                d[i] = s[i];
            else if (a != 0)
                d[i] = over(s[i], d[i]);
        }
    }
}

void Image::print(int x, int y, const QString& text, Color color) {
    const QRgb p = color.rgba();
    for (const QChar ch : text) {
        if (x >= width())
            break;
        const Glyph8x8& g = glyph8x8(ch.unicode());
        if (x > -8 && y > -8 && y < height()) {
            for (int row = 0; row < 8; ++row)
                for (int col = 0; col < 8; ++col)
                    if (g[row] & (0x80 >> col))
                        plot(x + col, y + row, p);
        }
        x += 8;
    }
}
