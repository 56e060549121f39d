#include "player/image.h"

#include "player/font8x8.h"

#include <QImageReader>
#include <QImageWriter>

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

void Image::fillRect(int x, int y, int w, int h, Color color) {
    const int x0 = std::max(x, 0), y0 = std::max(y, 0);
    const int x1 = std::min(x + std::max(w, 0), width());
    const int y1 = std::min(y + std::max(h, 0), height());
    const QRgb p = color.rgba();
    for (int yy = y0; yy < y1; ++yy)
        std::fill(line(yy) + x0, line(yy) + std::max(x0, x1), p);
}

void Image::drawLine(int x0, int y0, int x1, int y1, Color color) {
    // Bresenham; points outside are skipped, so the visible part is drawn as on a larger sheet.
    const QRgb p = color.rgba();
    const int dx = std::abs(x1 - x0), sx = x0 < x1 ? 1 : -1;
    const int dy = -std::abs(y1 - y0), sy = y0 < y1 ? 1 : -1;
    int err = dx + dy;
    for (;;) {
        plot(x0, y0, p);
        if (x0 == x1 && y0 == y1)
            break;
        const int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x0 += sx;
        }
        if (e2 <= dx) {
            err += dx;
            y0 += sy;
        }
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
    // Clip the source rectangle to the source, then the destination to this image.
    if (sx < 0) { w += sx; dx -= sx; sx = 0; }
    if (sy < 0) { h += sy; dy -= sy; sy = 0; }
    w = std::min(w, src.width() - sx);
    h = std::min(h, src.height() - sy);
    if (dx < 0) { w += dx; sx -= dx; dx = 0; }
    if (dy < 0) { h += dy; sy -= dy; dy = 0; }
    w = std::min(w, width() - dx);
    h = std::min(h, height() - dy);
    if (w <= 0 || h <= 0)
        return;
    for (int row = 0; row < h; ++row) {
        const QRgb* s = src.line(sy + row) + sx;
        QRgb* d = line(dy + row) + dx;
        if (!alpha) {
            std::copy(s, s + w, d);
            continue;
        }
        for (int i = 0; i < w; ++i) {
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
