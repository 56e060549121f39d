#include "pixels.h"

#include <algorithm>
#include <cmath>

namespace art {

std::uint32_t hash3(int x, int y, int seed) {
    std::uint32_t h = static_cast<std::uint32_t>(x) * 0x8da6b343u;
    h ^= static_cast<std::uint32_t>(y) * 0xd8163841u;
    h ^= static_cast<std::uint32_t>(seed) * 0xcb1ab31fu;
    h ^= h >> 15;
    h *= 0x2c1b3c6du;
    h ^= h >> 12;
    h *= 0x297a2d39u;
    h ^= h >> 15;
    return h;
}

double noise01(int x, int y, int seed) {
    return (hash3(x, y, seed) & 0xffffffu) / double(0x1000000);
}

static int wrap(int v, int m) {
    return ((v % m) + m) % m;
}

double smoothNoise(int x, int y, int cell, int wrapW, int wrapH, int seed) {
    // Lattice points every `cell` pixels; the lattice wraps with the picture.
    const int cellsX = std::max(1, (wrapW + cell - 1) / cell);
    const int cellsY = std::max(1, (wrapH + cell - 1) / cell);
    const double fx = double(wrap(x, wrapW)) * cellsX / wrapW;
    const double fy = double(wrap(y, wrapH)) * cellsY / wrapH;
    const int x0 = int(std::floor(fx)), y0 = int(std::floor(fy));
    const double tx = fx - x0, ty = fy - y0;
    auto at = [&](int gx, int gy) { return noise01(wrap(gx, cellsX), wrap(gy, cellsY), seed); };
    const double sx = tx * tx * (3 - 2 * tx), sy = ty * ty * (3 - 2 * ty);
    const double a = at(x0, y0) + (at(x0 + 1, y0) - at(x0, y0)) * sx;
    const double b = at(x0, y0 + 1) + (at(x0 + 1, y0 + 1) - at(x0, y0 + 1)) * sx;
    return a + (b - a) * sy;
}

QColor shade(const QColor& c, int delta) {
    auto clamp = [](int v) { return std::clamp(v, 0, 255); };
    return QColor(clamp(c.red() + delta), clamp(c.green() + delta), clamp(c.blue() + delta),
                  c.alpha());
}

QColor mix(const QColor& a, const QColor& b, double t) {
    t = std::clamp(t, 0.0, 1.0);
    auto m = [t](int u, int v) { return int(std::lround(u + (v - u) * t)); };
    return QColor(m(a.red(), b.red()), m(a.green(), b.green()), m(a.blue(), b.blue()),
                  m(a.alpha(), b.alpha()));
}

QImage blank(int w, int h) {
    QImage img(w, h, QImage::Format_ARGB32);
    img.fill(Qt::transparent);
    return img;
}

void put(QImage& img, int x, int y, const QColor& c) {
    if (x >= 0 && y >= 0 && x < img.width() && y < img.height())
        img.setPixelColor(x, y, c);
}

void blend(QImage& img, int x, int y, const QColor& c) {
    if (x < 0 || y < 0 || x >= img.width() || y >= img.height())
        return;
    const QColor under = img.pixelColor(x, y);
    const double a = c.alphaF();
    const double ua = under.alphaF();
    const double outA = a + ua * (1 - a);
    if (outA <= 0) {
        img.setPixelColor(x, y, Qt::transparent);
        return;
    }
    auto ch = [&](double s, double d) {
        return int(std::lround((s * a + d * ua * (1 - a)) / outA));
    };
    img.setPixelColor(x, y,
                      QColor(ch(c.red(), under.red()), ch(c.green(), under.green()),
                             ch(c.blue(), under.blue()), int(std::lround(outA * 255))));
}

void rect(QImage& img, int x, int y, int w, int h, const QColor& c) {
    for (int j = y; j < y + h; ++j)
        for (int i = x; i < x + w; ++i)
            put(img, i, j, c);
}

void hline(QImage& img, int x0, int x1, int y, const QColor& c) {
    for (int i = std::min(x0, x1); i <= std::max(x0, x1); ++i)
        put(img, i, y, c);
}

void vline(QImage& img, int x, int y0, int y1, const QColor& c) {
    for (int j = std::min(y0, y1); j <= std::max(y0, y1); ++j)
        put(img, x, j, c);
}

void disc(QImage& img, int x, int y, int w, int h, const QColor& c) {
    const double cx = x + w / 2.0, cy = y + h / 2.0;
    const double rx = w / 2.0, ry = h / 2.0;
    for (int j = y; j < y + h; ++j)
        for (int i = x; i < x + w; ++i) {
            const double dx = (i + 0.5 - cx) / rx, dy = (j + 0.5 - cy) / ry;
            if (dx * dx + dy * dy <= 1.0)
                put(img, i, j, c);
        }
}

void stamp(QImage& img, int x, int y, const char* const* rows, int rowCount, const char* keys,
           const QColor* colours) {
    for (int j = 0; j < rowCount; ++j)
        for (int i = 0; rows[j][i] != '\0'; ++i)
            for (int k = 0; keys[k] != '\0'; ++k)
                if (rows[j][i] == keys[k])
                    put(img, x + i, y + j, colours[k]);
}

void outline(QImage& img, const QColor& c) {
    const QImage src = img.copy();
    auto opaque = [&](int i, int j) {
        return i >= 0 && j >= 0 && i < src.width() && j < src.height() &&
               qAlpha(src.pixel(i, j)) > 0;
    };
    for (int j = 0; j < src.height(); ++j)
        for (int i = 0; i < src.width(); ++i)
            if (!opaque(i, j) &&
                (opaque(i - 1, j) || opaque(i + 1, j) || opaque(i, j - 1) || opaque(i, j + 1)))
                img.setPixelColor(i, j, c);
}

QImage enlarge(const QImage& img, int factor) {
    return img.scaled(img.width() * factor, img.height() * factor, Qt::IgnoreAspectRatio,
                      Qt::FastTransformation);
}

QImage mirrored(const QImage& img) {
    return img.mirrored(true, false);
}

} // namespace art
