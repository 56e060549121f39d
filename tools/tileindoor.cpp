// Texture set 02: the inside of a house or a dungeon.
#include "pixels.h"
#include "tileart.h"
#include "tilehelpers.h"

#include <cmath>

namespace art {
namespace {

QImage stoneFloor() {
    QImage img = blank(tileWidth, tileHeight);
    // Two rows of flagstones 14 wide, the second row shifted by half a stone.
    for (int y = 0; y < tileHeight; ++y) {
        const int row = y < 14 ? 0 : 1;
        const int top = row == 0 ? 0 : 14;
        const int bottom = row == 0 ? 13 : 28;
        for (int x = 0; x < tileWidth; ++x) {
            const int bx = (x + row * 7) % tileWidth;
            const int col = bx / 14;
            const int inCol = bx % 14;
            QColor c = shade(QColor(150, 146, 140), int((noise01(col, row, 101) - 0.5) * 28));
            c = shade(c, int((noise01(x, y, 102) - 0.5) * 16));
            if (y == bottom || inCol == 13)
                c = QColor(92, 88, 84);
            else if (y == top || inCol == 0)
                c = shade(c, 22);
            else if (y == bottom - 1 || inCol == 12)
                c = shade(c, -16);
            img.setPixelColor(x, y, c);
        }
    }
    speckle(img, QColor(120, 116, 110), 0.03, 103);
    return img;
}

QImage woodFloor() {
    return woodPlanks(111, false);
}

QImage brickWall(int seed) {
    QImage img = brickTile(QColor(164, 86, 62), QColor(92, 80, 72), 14, 7, 18, seed);
    speckle(img, QColor(120, 64, 48), 0.03, seed + 1);
    return img;
}

QImage carpetTile() {
    QImage img = noiseTile(QColor(170, 32, 44), QColor(150, 24, 38), 5, 121);
    const QColor gold(232, 184, 64), goldDark(176, 124, 36), inner(120, 16, 30);
    for (int y = 0; y < tileHeight; ++y)
        for (int x = 0; x < tileWidth; ++x) {
            const int d = std::abs(x - 14) + std::abs(y - 14);
            if (d == 9)
                img.setPixelColor(x, y, gold);
            else if (d == 10)
                img.setPixelColor(x, y, goldDark);
            else if (d < 7)
                img.setPixelColor(x, y, d % 3 == 0 ? QColor(200, 60, 60) : inner);
        }
    put(img, 14, 14, gold);
    // corner studs, which meet those of the neighbouring tiles into small diamonds
    for (int cx : {0, tileWidth - 1})
        for (int cy : {0, tileHeight - 1}) {
            put(img, cx, cy, gold);
            put(img, cx + (cx == 0 ? 1 : -1), cy, goldDark);
            put(img, cx, cy + (cy == 0 ? 1 : -1), goldDark);
        }
    return img;
}

QImage doorTile() {
    QImage img = brickWall(131);
    const QColor frame(170, 164, 154), frameDark(110, 104, 98);
    // stone frame with a round arch
    disc(img, 4, 3, 20, 16, frame);
    rect(img, 4, 11, 20, 18, frame);
    disc(img, 6, 5, 16, 14, QColor(60, 36, 20));
    rect(img, 6, 12, 16, 17, QColor(60, 36, 20));
    vline(img, 4, 11, 28, frameDark);
    vline(img, 23, 11, 28, frameDark);
    // the wooden leaf inside the frame
    for (int y = 5; y < tileHeight; ++y)
        for (int x = 7; x <= 20; ++x) {
            if (img.pixelColor(x, y) != QColor(60, 36, 20))
                continue;
            QColor c(150, 94, 48);
            const int board = (x - 7) % 4;
            if (board == 0)
                c = QColor(96, 58, 28);
            else if (board == 1)
                c = QColor(176, 116, 62);
            c = shade(c, int((noise01(x, y, 132) - 0.5) * 14));
            img.setPixelColor(x, y, c);
        }
    for (int y : {11, 23})
        hline(img, 7, 20, y, QColor(60, 58, 60));
    for (int x : {9, 18})
        for (int y : {11, 23})
            put(img, x, y, QColor(150, 150, 156));
    // ring handle
    put(img, 17, 16, QColor(240, 200, 70));
    put(img, 18, 17, QColor(240, 200, 70));
    put(img, 17, 18, QColor(200, 150, 40));
    put(img, 16, 17, QColor(200, 150, 40));
    return img;
}

QImage stairsTile() {
    QImage img = blank(tileWidth, tileHeight);
    // Steps going down: each lower step is darker.
    for (int y = 0; y < tileHeight; ++y) {
        const int step = y / 6;
        const int inStep = y % 6;
        const int depth = step * 16;
        for (int x = 0; x < tileWidth; ++x) {
            QColor c;
            if (inStep < 3)
                c = QColor(184, 176, 164); // tread
            else if (inStep == 3)
                c = QColor(210, 202, 190); // nosing
            else
                c = QColor(116, 108, 100); // riser
            c = shade(c, -depth + int((noise01(x, y, 141) - 0.5) * 12));
            if (x < 3 || x > 24)
                c = shade(QColor(120, 114, 108), -depth / 2 + (x == 2 || x == 25 ? -30 : 0));
            img.setPixelColor(x, y, c);
        }
    }
    return img;
}

QImage torchWall() {
    QImage img = brickWall(151);
    // warm glow on the bricks
    for (int y = 0; y < tileHeight; ++y)
        for (int x = 0; x < tileWidth; ++x) {
            const double d = std::hypot(x - 13.5, y - 8.0);
            if (d < 13)
                blend(img, x, y, QColor(255, 170, 60, int(90 * (1 - d / 13))));
        }
    QImage layer = blank(tileWidth, tileHeight);
    rect(layer, 13, 11, 2, 10, QColor(120, 76, 40)); // stick
    vline(layer, 13, 11, 20, QColor(150, 100, 56));
    rect(layer, 11, 17, 6, 2, QColor(70, 70, 76));    // iron bracket
    rect(layer, 12, 19, 4, 1, QColor(50, 50, 56));
    rect(layer, 13, 20, 2, 4, QColor(60, 60, 66));
    // flame
    const char* flame[] = {
        "...o...",
        "..oo...",
        "..ooo..",
        ".ooyo..",
        ".oyyoo.",
        "ooywyo.",
        "oyywwyo",
        "oyywwyo",
        ".oyyyo.",
        "..ooo..",
    };
    const QColor colours[] = {QColor(236, 110, 30), QColor(255, 214, 70), QColor(255, 250, 210)};
    stamp(layer, 11, 2, flame, 10, "oyw", colours);
    outline(layer, QColor(54, 32, 24));
    return over(img, layer);
}

QImage pillarTile() {
    QImage img = stoneFloor();
    groundShadow(img, 4, 24, 24, 5, 80);
    QImage layer = blank(tileWidth, tileHeight);
    // a rounded shaft: light on the left, dark on the right
    for (int x = 8; x <= 19; ++x) {
        const double t = (x - 8) / 11.0;
        const double light = 1.0 - std::abs(t - 0.3) * 1.4;
        const QColor c = mix(QColor(110, 106, 110), QColor(226, 222, 214), light);
        vline(layer, x, 3, 24, c);
    }
    for (int x : {10, 14, 18})
        vline(layer, x, 5, 23, shade(layer.pixelColor(x, 10), -26)); // fluting
    // capital and base, wider than the shaft
    for (int y : {0, 1, 2, 25, 26, 27}) {
        for (int x = 5; x <= 22; ++x) {
            const double light = 1.0 - std::abs((x - 5) / 17.0 - 0.3) * 1.4;
            QColor c = mix(QColor(120, 116, 118), QColor(236, 232, 224), light);
            if (y == 0 || y == 25)
                c = shade(c, 20);
            if (y == 2 || y == 27)
                c = shade(c, -30);
            put(layer, x, y, c);
        }
    }
    outline(layer, QColor(60, 58, 62));
    return over(img, layer);
}

QImage tableTile() {
    QImage img = woodFloor();
    groundShadow(img, 3, 20, 23, 8, 90);
    QImage layer = blank(tileWidth, tileHeight);
    const QColor top(200, 140, 80), edge(140, 88, 44), leg(110, 68, 34);
    rect(layer, 5, 20, 3, 6, leg);
    rect(layer, 20, 20, 3, 6, leg);
    rect(layer, 3, 5, 22, 13, top);
    hline(layer, 3, 24, 5, shade(top, 24));
    for (int y = 8; y < 17; y += 4)
        hline(layer, 4, 23, y, shade(top, -16)); // board lines
    rect(layer, 3, 17, 22, 3, edge);
    hline(layer, 3, 24, 19, shade(edge, -30));
    // a plate and a cup
    disc(layer, 6, 7, 9, 7, QColor(236, 236, 240));
    disc(layer, 8, 8, 5, 4, QColor(206, 206, 216));
    rect(layer, 18, 8, 4, 5, QColor(80, 120, 190));
    hline(layer, 18, 21, 8, QColor(130, 170, 230));
    put(layer, 22, 10, QColor(80, 120, 190));
    outline(layer, QColor(60, 36, 18));
    return over(img, layer);
}

QImage chestTile() {
    QImage img = woodFloor();
    groundShadow(img, 3, 22, 23, 6, 90);
    QImage layer = blank(tileWidth, tileHeight);
    const QColor body(150, 88, 40), lid(178, 110, 52), band(230, 186, 70), bandDark(170, 122, 36);
    rect(layer, 4, 13, 20, 12, body);
    hline(layer, 4, 23, 24, shade(body, -30));
    for (int y = 16; y <= 22; y += 3)
        hline(layer, 5, 22, y, shade(body, -18));
    // rounded lid
    rect(layer, 4, 8, 20, 5, lid);
    hline(layer, 5, 22, 7, lid);
    hline(layer, 7, 20, 6, lid);
    hline(layer, 7, 20, 6, shade(lid, 26));
    hline(layer, 4, 23, 12, shade(lid, -36));
    for (int x : {7, 19}) {
        vline(layer, x, 6, 24, band);
        vline(layer, x + 1, 6, 24, bandDark);
    }
    rect(layer, 12, 11, 4, 5, band); // lock
    rect(layer, 13, 13, 2, 2, QColor(60, 40, 20));
    put(layer, 12, 11, QColor(255, 232, 140));
    outline(layer, QColor(56, 32, 14));
    return over(img, layer);
}

} // namespace

TileSet indoorSet() {
    TileSet set;
    set.title = QStringLiteral("terrain02 : intérieur, donjon");
    set.tiles = {
        {QStringLiteral("dallage de pierre"), true, stoneFloor()},
        {QStringLiteral("plancher"), true, woodFloor()},
        {QStringLiteral("tapis"), true, carpetTile()},
        {QStringLiteral("porte"), true, doorTile()},
        {QStringLiteral("escalier"), true, stairsTile()},
        {QStringLiteral("mur de briques"), false, brickWall(161)},
        {QStringLiteral("mur avec torche"), false, torchWall()},
        {QStringLiteral("pilier"), false, pillarTile()},
        {QStringLiteral("table"), false, tableTile()},
        {QStringLiteral("coffre"), false, chestTile()},
    };
    return set;
}

} // namespace art
