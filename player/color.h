#pragma once

#include <QRgb>

#include <algorithm>

// A 32-bit colour with alpha, the pixel type of every image.
struct Color {
    int r = 0;
    int g = 0;
    int b = 0;
    int a = 255;

    // NaN, which no comparison clamps, is 0.
    static int clampComponent(double v) {
        return v > 0 ? static_cast<int>(std::min(v, 255.0)) : 0;
    }
    static Color clamped(double r, double g, double b, double a = 255) {
        return {clampComponent(r), clampComponent(g), clampComponent(b), clampComponent(a)};
    }
    static Color fromRgba(QRgb p) { return {qRed(p), qGreen(p), qBlue(p), qAlpha(p)}; }
    QRgb rgba() const { return qRgba(r, g, b, a); }

    friend bool operator==(const Color&, const Color&) = default;
};
