#include "tilehelpers.h"

#include "pixels.h"
#include "tileart.h"

#include <QPainter>
#include <algorithm>
#include <cmath>

namespace art {

QImage noiseTile(const QColor& a, const QColor& b, int cell, int seed) {
    QImage img = blank(tileWidth, tileHeight);
    for (int y = 0; y < tileHeight; ++y)
        for (int x = 0; x < tileWidth; ++x) {
            const double n = smoothNoise(x, y, cell, tileWidth, tileHeight, seed);
            // a touch of per-pixel grain keeps flat areas from looking painted
            const double grain = (noise01(x, y, seed + 911) - 0.5) * 0.25;
            img.setPixelColor(x, y, mix(a, b, n + grain));
        }
    return img;
}

void speckle(QImage& img, const QColor& c, double share, int seed) {
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (noise01(x, y, seed) < share)
                img.setPixelColor(x, y, c);
}

void putWrap(QImage& img, int x, int y, const QColor& c) {
    const int w = img.width(), h = img.height();
    img.setPixelColor(((x % w) + w) % w, ((y % h) + h) % h, c);
}

QImage over(QImage img, const QImage& layer) {
    QPainter p(&img);
    p.drawImage(0, 0, layer);
    return img;
}

void groundShadow(QImage& img, int x, int y, int w, int h, int alpha) {
    QImage layer = blank(img.width(), img.height());
    disc(layer, x, y, w, h, QColor(0, 0, 0, alpha));
    img = over(img, layer);
}

QImage brickTile(const QColor& brick, const QColor& mortar, int w, int h, int variation,
                 int seed) {
    QImage img = blank(tileWidth, tileHeight);
    img.fill(mortar);
    // Whole rows only (an even count, so the half-brick shift continues into the tile
    // below); the spare pixel rows are shared out among them.
    int rows = std::max(2, tileHeight / h);
    rows -= rows % 2;
    for (int y = 0; y < tileHeight; ++y) {
        const int row = y * rows / tileHeight;
        const int top = (row * tileHeight + rows - 1) / rows;
        const int bottom = ((row + 1) * tileHeight + rows - 1) / rows; // first row of the next
        const int inRow = y - top;
        if (y == bottom - 1)
            continue; // mortar line
        const int shift = (row % 2) * (w / 2);
        for (int x = 0; x < tileWidth; ++x) {
            const int bx = x + shift;
            const int col = (bx / w) % std::max(1, tileWidth / w);
            const int inCol = bx % w;
            if (inCol == w - 1)
                continue;
            const int v = int((noise01(col, row, seed) - 0.5) * 2 * variation);
            QColor c = shade(brick, v);
            if (inRow == 0)
                c = shade(c, 18);
            else if (y == bottom - 2)
                c = shade(c, -20);
            c = shade(c, int((noise01(x, y, seed + 5) - 0.5) * 14));
            img.setPixelColor(x, y, c);
        }
    }
    return img;
}

} // namespace art
