#pragma once

#include "player/color.h"

#include <QImage>
#include <QString>

#include <cstdint>

// A picture of at most 512 x 512 pixels, 32-bit colour with alpha (non-premultiplied ARGB).
// Drawing is clipped to the picture; errors are thrown as std::runtime_error.
class Image {
public:
    static constexpr int kMaxSide = 512;

    // Transparent black; throws unless 1 <= w, h <= 512.
    Image(int width, int height);
    // Any size (the screen pages are 480 x 272 and are made by Screen).
    explicit Image(QImage pixels);

    // .jpg/.jpeg (any case) as JPEG, anything else as PNG; throws on failure or when a side
    // exceeds 512.
    static Image load(const QString& path);
    // PNG, or JPEG when the name ends in .jpg/.jpeg; throws on failure.
    void save(const QString& path) const;

    int width() const { return mPixels.width(); }
    int height() const { return mPixels.height(); }
    const QImage& pixels() const { return mPixels; }

    void clear(Color color);
    void fillRect(int x, int y, int w, int h, Color color);
    void drawLine(int x0, int y0, int x1, int y1, Color color);
    // Throws when (x, y) lies outside.
    Color pixel(int x, int y) const;
    void setPixel(int x, int y, Color color);
    // Copies the rectangle (sx, sy, w, h) of src to (dx, dy), clipped against both images.
    // With alpha the source is composited over the destination (transparent pixels skipped),
    // without it the pixels are copied raw. src may be this image.
    void blit(int dx, int dy, const Image& src, int sx, int sy, int w, int h, bool alpha);
    void blit(int dx, int dy, const Image& src, bool alpha) {
        blit(dx, dy, src, 0, 0, src.width(), src.height(), alpha);
    }
    // One 8 x 8 glyph per character, 8-pixel advance, no wrapping; only glyph pixels are written.
    void print(int x, int y, const QString& text, Color color);

private:
    QRgb* line(int y) { return reinterpret_cast<QRgb*>(mPixels.scanLine(y)); }
    const QRgb* line(int y) const { return reinterpret_cast<const QRgb*>(mPixels.constScanLine(y)); }
    void plot(std::int64_t x, std::int64_t y, QRgb p) {
        if (x >= 0 && y >= 0 && x < width() && y < height())
            line(int(y))[x] = p;
    }

    QImage mPixels;
};
