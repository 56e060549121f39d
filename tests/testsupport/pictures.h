#pragma once

// Looking for a picture on a screen the player wrote.

#include <QImage>

// Share of the picture's opaque pixels that the screen shows unchanged at (x, y).
inline double pictureShare(const QImage& screen, const QImage& picture, int x, int y) {
    int opaque = 0, shown = 0;
    for (int py = 0; py < picture.height(); ++py)
        for (int px = 0; px < picture.width(); ++px)
            if (qAlpha(picture.pixel(px, py)) == 255 && screen.valid(x + px, y + py)) {
                ++opaque;
                shown += (screen.pixel(x + px, y + py) | 0xFF000000u) == picture.pixel(px, py);
            }
    return opaque == 0 ? 0.0 : double(shown) / opaque;
}
