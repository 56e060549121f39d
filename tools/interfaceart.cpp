#include "interfaceart.h"

#include "pixelfont.h"
#include "pixels.h"

#include <QPainter>
#include <cmath>

namespace art {
namespace {

constexpr double pi = 3.14159265358979;

// 4 x 4 ordered dither threshold, used to blend gradients without visible bands.
double bayer(int x, int y) {
    static const int m[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};
    return (m[y & 3][x & 3] + 0.5) / 16.0;
}

// Picks a or b for a pixel so that, on average, the mix is t.
QColor dither(const QColor& a, const QColor& b, double t, int x, int y) {
    return t > bayer(x, y) ? b : a;
}

// The landscape, drawn at half the screen size and enlarged afterwards for a pixel-art look.
QImage landscape() {
    const int w = screenWidth / 2, h = screenHeight / 2;
    QImage img = blank(w, h);
    // sky: deep blue at the top, warm near the horizon
    const QColor skyStops[] = {QColor(52, 92, 178), QColor(104, 148, 218), QColor(186, 196, 226),
                               QColor(250, 204, 156)};
    for (int y = 0; y < h; ++y) {
        const double t = std::min(1.0, y / 78.0) * 3;
        const int i = std::min(2, int(t));
        const double f = t - i;
        for (int x = 0; x < w; ++x) {
            const QColor a = mix(skyStops[i], skyStops[i + 1], std::floor(f * 4) / 4);
            const QColor b = mix(skyStops[i], skyStops[i + 1], std::min(1.0, std::floor(f * 4 + 1) / 4));
            img.setPixelColor(x, y, dither(a, b, f * 4 - std::floor(f * 4), x, y));
        }
    }
    // sun and its halo
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const double d = std::hypot(x - 186.0, y - 58.0);
            if (d < 9)
                img.setPixelColor(x, y, d < 7 ? QColor(255, 246, 200) : QColor(255, 226, 160));
            else if (d < 26 && (26 - d) / 17 > bayer(x, y) * 1.6)
                img.setPixelColor(x, y, mix(img.pixelColor(x, y), QColor(255, 230, 180), 0.35));
        }
    // clouds: clusters of discs with a lit top and a shaded bottom
    struct Cloud {
        int x, y, size;
    };
    for (const Cloud& c : {Cloud{30, 22, 12}, Cloud{120, 14, 9}, Cloud{200, 30, 8}, Cloud{78, 40, 6}}) {
        QImage layer = blank(w, h);
        disc(layer, c.x, c.y, c.size * 3, c.size, QColor(232, 226, 240));
        disc(layer, c.x + c.size / 2, c.y - c.size / 2, c.size * 2 - 2, c.size, QColor(250, 248, 252));
        disc(layer, c.x + c.size, c.y - c.size / 3, c.size * 2, c.size, QColor(250, 248, 252));
        hline(layer, c.x + 2, c.x + c.size * 3 - 3, c.y + c.size - 1, QColor(206, 196, 222));
        QPainter(&img).drawImage(0, 0, layer);
    }
    auto ridge = [](int x, double base, double a1, double f1, double a2, double f2, double ph) {
        return base + a1 * std::sin(x * f1 + ph) + a2 * std::sin(x * f2 + ph * 2.3);
    };
    // far mountains with snowy peaks
    for (int x = 0; x < w; ++x) {
        const double top = ridge(x, 62, 10, 0.045, 6, 0.13, 0.7) - 4 * std::abs(std::sin(x * 0.021));
        for (int y = int(top); y < h; ++y) {
            QColor c = mix(QColor(128, 122, 178), QColor(150, 150, 196), (y - top) / 30);
            if (y < top + 4 && top < 58)
                c = (x + y) % 3 == 0 ? QColor(214, 214, 236) : QColor(244, 244, 252);
            img.setPixelColor(x, y, c);
        }
    }
    // middle hills, blue-green with distant woods
    for (int x = 0; x < w; ++x) {
        const double top = ridge(x, 80, 5, 0.03, 3, 0.11, 2.1);
        for (int y = int(top); y < h; ++y)
            img.setPixelColor(x, y, dither(QColor(70, 128, 118), QColor(84, 144, 124),
                                           std::min(1.0, (y - top) / 12), x, y));
        if (x % 5 == 0) {
            disc(img, x - 2, int(top) - 3, 5, 6, QColor(46, 100, 92));
            put(img, x, int(top) - 3, QColor(64, 122, 106));
        }
    }
    // a castle on the hill at the right
    {
        const int cx = 168, base = int(ridge(168, 80, 5, 0.03, 3, 0.11, 2.1)) + 2;
        const QColor wall(112, 104, 128), dark(84, 78, 104), roof(150, 70, 80);
        rect(img, cx - 14, base - 14, 28, 14, wall);
        for (int x = cx - 14; x < cx + 14; x += 3)
            put(img, x, base - 15, wall);
        for (int tx : {cx - 16, cx + 12}) {
            rect(img, tx, base - 22, 5, 22, wall);
            vline(img, tx + 4, base - 22, base, dark);
            for (int r = 0; r < 4; ++r)
                hline(img, tx + r / 2 - 1 + 1, tx + 4 - r / 2 + 1 - 1, base - 23 - r, roof);
        }
        rect(img, cx - 4, base - 26, 8, 26, wall);
        vline(img, cx + 3, base - 26, base, dark);
        for (int r = 0; r < 7; ++r)
            hline(img, cx - 5 + r / 2 + 1, cx + 4 - r / 2, base - 27 - r, roof);
        vline(img, cx, base - 40, base - 34, QColor(60, 50, 60));
        rect(img, cx + 1, base - 40, 4, 2, QColor(220, 60, 60));
        rect(img, cx - 2, base - 7, 4, 7, QColor(60, 48, 60)); // gate
        for (int wy : {base - 20, base - 12})
            put(img, cx, wy, QColor(255, 220, 120));
        put(img, cx - 14, base - 18, QColor(255, 220, 120));
        put(img, cx + 14, base - 18, QColor(255, 220, 120));
    }
    // near hills and the meadow
    for (int x = 0; x < w; ++x) {
        const double top = ridge(x, 96, 4, 0.05, 2, 0.17, 4.0);
        for (int y = int(top); y < h; ++y) {
            const double t = std::min(1.0, (y - top) / 40);
            QColor c = dither(QColor(96, 170, 70), QColor(74, 146, 56), t, x, y);
            if (noise01(x, y, 3001) < 0.05)
                c = QColor(124, 192, 86);
            img.setPixelColor(x, y, c);
        }
    }
    // the path from the foreground to the castle
    for (int y = 88; y < h; ++y) {
        const double t = (y - 88) / double(h - 88);
        const double centre = 170 - 60 * t + 18 * std::sin(t * pi * 1.5);
        const double half = 1 + t * 10;
        for (int x = int(centre - half); x <= int(centre + half); ++x) {
            if (img.pixelColor(x < 0 ? 0 : x, y).green() < 120 && y < 92)
                continue;
            QColor c = (noise01(x, y, 3002) < 0.1) ? QColor(176, 140, 96) : QColor(206, 172, 120);
            if (x == int(centre - half) || x == int(centre + half))
                c = QColor(150, 120, 80);
            put(img, x, y, c);
        }
    }
    // trees along the near hills, and a few flowers in the grass
    const int trees[][2] = {{8, 100}, {22, 98}, {36, 103}, {208, 99}, {224, 104}, {232, 97}};
    for (const auto& t : trees) {
        QImage layer = blank(w, h);
        rect(layer, t[0] + 4, t[1] + 6, 2, 6, QColor(104, 70, 40));
        disc(layer, t[0], t[1] - 4, 10, 11, QColor(40, 110, 50));
        disc(layer, t[0] + 1, t[1] - 4, 6, 7, QColor(64, 142, 62));
        outline(layer, QColor(24, 60, 32));
        QPainter(&img).drawImage(0, 0, layer);
    }
    for (int k = 0; k < 40; ++k) {
        const int x = int(hash3(k, 0, 3003) % w);
        const int y = 106 + int(hash3(k, 1, 3003) % (h - 106));
        const QColor petals[] = {QColor(240, 80, 90), QColor(250, 230, 90), QColor(250, 250, 250)};
        if (img.pixelColor(x, y).green() > 130 && img.pixelColor(x, y).red() < 140)
            put(img, x, y, petals[k % 3]);
    }
    return enlarge(img, 2);
}

// Frame shared by the menu boxes and the dialog box: a dark outer line, a two-pixel
// coloured border and a translucent fill, with cut corners.
QImage framedBox(int w, int h, const QColor& fill, const QColor& border, const QColor& borderDark,
                 const QColor& line) {
    QImage img = blank(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const int edge = std::min(std::min(x, w - 1 - x), std::min(y, h - 1 - y));
            const int cx = std::min(x, w - 1 - x), cy = std::min(y, h - 1 - y);
            if (cx + cy < 2)
                continue; // cut corner
            QColor c = fill;
            if (edge == 0 || cx + cy == 2)
                c = line;
            else if (edge == 1)
                c = border;
            else if (edge == 2)
                c = borderDark;
            else if (edge == 3)
                c = QColor(line.red(), line.green(), line.blue(), fill.alpha()); // inner rim
            img.setPixelColor(x, y, c);
        }
    // small studs in the corners of the border
    for (int x : {3, w - 4})
        for (int y : {3, h - 4})
            put(img, x, y, border.lighter(130));
    return img;
}

} // namespace

QImage titleScreen() {
    QImage img = landscape();
    TextStyle title;
    title.scale = 8;
    title.top = QColor(255, 240, 150);
    title.bottom = QColor(232, 136, 36);
    title.outline = QColor(70, 28, 10);
    title.outlineWidth = 3;
    title.shadow = QColor(20, 10, 30, 120);
    title.shadowOffset = 4;
    const QString text = QStringLiteral("Quendal");
    const int x = (screenWidth - textWidth(text) * title.scale) / 2;
    drawText(img, x, 22, text, title);
    return img;
}

QImage menuBox(const QString& first, const QString& second) {
    QImage img = framedBox(MenuLayout::width, MenuLayout::height, QColor(22, 30, 78, 228),
                           QColor(226, 182, 72), QColor(150, 104, 36), QColor(14, 10, 30));
    // a dotted rule between the two entries
    const int rule = (MenuLayout::entry(0).bottom() + MenuLayout::entry(1).top()) / 2 + 1;
    for (int x = 16; x < MenuLayout::width - 16; x += 2)
        put(img, x, rule, QColor(120, 110, 160, 230));
    TextStyle style;
    style.scale = 2;
    style.top = QColor(255, 252, 236);
    style.bottom = QColor(236, 216, 170);
    style.shadow = QColor(0, 0, 0, 200);
    style.shadowOffset = 1;
    const QString entries[] = {first, second};
    for (int i = 0; i < 2; ++i)
        drawText(img, MenuLayout::textX, MenuLayout::entry(i).y() + 7, entries[i], style);
    return img;
}

QImage dialogBox() {
    QImage img = framedBox(DialogLayout::width, DialogLayout::height, QColor(248, 240, 218, 242),
                           QColor(176, 124, 60), QColor(120, 80, 36), QColor(52, 30, 16));
    // faint paper grain, kept very light so that black text stays crisp
    for (int y = 4; y < DialogLayout::height - 4; ++y)
        for (int x = 4; x < DialogLayout::width - 4; ++x)
            if (noise01(x, y, 4001) < 0.06)
                img.setPixelColor(x, y, QColor(238, 228, 202, 242));
    return img;
}

} // namespace art
