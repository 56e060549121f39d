// Texture set 03: a snowy landscape.
#include "pixels.h"
#include "tileart.h"
#include "tilehelpers.h"

#include <cmath>

namespace art {
namespace {

constexpr double pi = 3.14159265358979;

QImage snowTile(int seed) {
    QImage img = noiseTile(QColor(242, 246, 252), QColor(220, 230, 244), 7, seed);
    speckle(img, QColor(204, 216, 236), 0.04, seed + 1);
    speckle(img, QColor(255, 255, 255), 0.02, seed + 2);
    return img;
}

QImage trampledSnow() {
    QImage img = noiseTile(QColor(214, 222, 236), QColor(198, 208, 226), 6, 201);
    speckle(img, QColor(182, 194, 216), 0.05, 202);
    // footprints going up the path, left and right feet in turn
    const int steps[][2] = {{8, 2}, {14, 8}, {8, 15}, {14, 22}};
    for (const auto& s : steps)
        for (int dy = 0; dy < 4; ++dy)
            for (int dx = 0; dx < 3; ++dx) {
                if ((dy == 0 || dy == 3) && dx == 2)
                    continue; // rounded toe and heel
                const QColor c = dy == 0 ? QColor(176, 188, 212) : QColor(160, 174, 202);
                putWrap(img, s[0] + dx, s[1] + dy, c);
                if (dy == 3)
                    putWrap(img, s[0] + dx, s[1] + dy + 1, QColor(228, 234, 244)); // heel rim
            }
    return img;
}

QImage iceTile() {
    QImage img = noiseTile(QColor(184, 226, 244), QColor(150, 204, 232), 8, 211);
    // shine: diagonal streaks that wrap around the tile
    for (int k : {3, 4, 17}) {
        for (int t = 0; t < 9; ++t) {
            putWrap(img, k + t, 20 - t, QColor(236, 250, 255));
            if (k != 4)
                putWrap(img, k + t + 1, 20 - t, QColor(212, 240, 252));
        }
    }
    // a crack
    const int crack[][2] = {{5, 6}, {6, 7}, {7, 7}, {8, 8}, {9, 9}, {9, 10}, {10, 11},
                            {8, 10}, {7, 11}, {20, 22}, {21, 23}, {21, 24}, {22, 25}};
    for (const auto& c : crack)
        putWrap(img, c[0], c[1], QColor(96, 150, 190));
    return img;
}

QImage snowyGrass() {
    QImage img = snowTile(221);
    const int tufts[][2] = {{4, 6}, {15, 4}, {23, 10}, {9, 14}, {19, 19}, {5, 23}, {14, 26},
                            {25, 25}};
    for (const auto& t : tufts) {
        const QColor g(70, 130, 70), gd(46, 100, 52), gl(110, 170, 96);
        putWrap(img, t[0], t[1], gd);
        putWrap(img, t[0] - 1, t[1] - 1, g);
        putWrap(img, t[0] + 1, t[1] - 1, g);
        putWrap(img, t[0] - 2, t[1] - 2, gl);
        putWrap(img, t[0] + 2, t[1] - 2, gl);
        putWrap(img, t[0], t[1] - 2, gl);
        putWrap(img, t[0] - 1, t[1] + 1, QColor(196, 208, 228)); // its shadow on the snow
        putWrap(img, t[0], t[1] + 1, QColor(196, 208, 228));
        putWrap(img, t[0] + 1, t[1] + 1, QColor(196, 208, 228));
    }
    return img;
}

QImage snowyPlanks() {
    QImage img = woodPlanks(231, false);
    // colder, greyer wood
    for (int y = 0; y < tileHeight; ++y)
        for (int x = 0; x < tileWidth; ++x)
            img.setPixelColor(x, y, mix(img.pixelColor(x, y), QColor(150, 150, 160), 0.3));
    // snow heaped on some planks and in the cracks
    for (int x = 0; x < tileWidth; ++x) {
        const double s = smoothNoise(x, 0, 7, tileWidth, 1, 232);
        const int depth = int(s * 4);
        for (int d = 0; d < depth; ++d) {
            putWrap(img, x, 7 + d, d == 0 ? QColor(255, 255, 255) : QColor(226, 234, 246));
            putWrap(img, x + 11, 22 + d, d == 0 ? QColor(255, 255, 255) : QColor(226, 234, 246));
        }
    }
    return img;
}

QImage icyWater() {
    QImage img = noiseTile(QColor(30, 78, 136), QColor(44, 100, 160), 7, 241);
    for (int w = 0; w < 5; ++w) {
        const int x = int(hash3(w, 0, 242) % tileWidth);
        const int y = int(hash3(w, 1, 242) % tileHeight);
        putWrap(img, x, y, QColor(96, 150, 206));
        putWrap(img, x + 1, y, QColor(96, 150, 206));
        putWrap(img, x + 2, y, QColor(70, 124, 186));
    }
    // floating ice floes
    QImage layer = blank(tileWidth, tileHeight);
    disc(layer, 3, 4, 10, 6, QColor(222, 238, 250));
    disc(layer, 15, 15, 9, 7, QColor(222, 238, 250));
    disc(layer, 6, 21, 6, 4, QColor(222, 238, 250));
    for (int y = 0; y < tileHeight; ++y)
        for (int x = 0; x < tileWidth; ++x)
            if (layer.pixelColor(x, y).alpha() > 0 &&
                (y == 0 || layer.pixelColor(x, y - 1).alpha() == 0))
                layer.setPixelColor(x, y, QColor(255, 255, 255));
    QImage lined = layer.copy();
    outline(lined, QColor(120, 170, 210));
    return over(img, lined);
}

QImage firTree() {
    QImage img = snowTile(251);
    groundShadow(img, 5, 22, 19, 6, 50);
    QImage layer = blank(tileWidth, tileHeight);
    rect(layer, 12, 22, 4, 5, QColor(104, 66, 40));
    vline(layer, 12, 22, 26, QColor(80, 50, 30));
    struct Tier {
        int top, bottom, halfWidth;
    };
    const Tier tiers[] = {{1, 10, 5}, {6, 16, 8}, {11, 23, 11}};
    for (const Tier& t : tiers)
        for (int y = t.top; y <= t.bottom; ++y) {
            const int half = (y - t.top) * t.halfWidth / (t.bottom - t.top);
            for (int x = 14 - half - 1; x <= 13 + half + 1; ++x) {
                QColor c = x < 14 ? QColor(40, 110, 70) : QColor(28, 86, 56);
                if (noise01(x, y, 252) < 0.15)
                    c = shade(c, -16);
                put(layer, x, y, c);
            }
            // snow resting on the upper edge of each tier
            if (y <= t.top + 2 || (y - t.top) % 4 == 0) {
                for (int x = 14 - half - 1; x <= 13 + half + 1; ++x)
                    if (y <= t.top + 1 || noise01(x, y, 253) < 0.55)
                        put(layer, x, y, x < 14 ? QColor(250, 252, 255) : QColor(214, 226, 242));
            }
        }
    outline(layer, QColor(22, 54, 40));
    return over(img, layer);
}

QImage snowyRock() {
    QImage img = snowTile(261);
    groundShadow(img, 2, 20, 25, 8, 60);
    QImage layer = blank(tileWidth, tileHeight);
    disc(layer, 2, 5, 24, 21, QColor(120, 118, 124));
    disc(layer, 3, 6, 16, 14, QColor(146, 144, 150));
    for (int k = 0; k < 6; ++k) {
        const int x = 6 + int(hash3(k, 0, 262) % 15);
        const int y = 12 + int(hash3(k, 1, 262) % 10);
        put(layer, x, y, QColor(96, 94, 100));
        put(layer, x + 1, y + 1, QColor(96, 94, 100));
    }
    // snow cap with a wavy lower edge
    for (int x = 0; x < tileWidth; ++x) {
        const int edge = 11 + int(std::lround(1.5 * std::sin(2 * pi * x / 9.0)));
        for (int y = 0; y <= edge; ++y)
            if (layer.pixelColor(x, y).alpha() > 0)
                layer.setPixelColor(x, y, y == edge ? QColor(212, 224, 242) : QColor(250, 252, 255));
    }
    outline(layer, QColor(60, 60, 70));
    return over(img, layer);
}

QImage snowman() {
    QImage img = snowTile(271);
    groundShadow(img, 4, 23, 20, 5, 60);
    QImage layer = blank(tileWidth, tileHeight);
    const QColor white(250, 252, 255), shadow(206, 218, 238);
    disc(layer, 6, 14, 16, 13, shadow);
    disc(layer, 6, 14, 14, 11, white);
    disc(layer, 8, 7, 12, 10, shadow);
    disc(layer, 8, 7, 10, 8, white);
    // arms
    for (int i = 0; i < 4; ++i) {
        put(layer, 7 - i, 11 - i / 2, QColor(110, 70, 40));
        put(layer, 20 + i, 11 - i / 2, QColor(110, 70, 40));
    }
    // scarf and buttons
    hline(layer, 9, 18, 9, QColor(200, 40, 50));
    hline(layer, 10, 17, 10, QColor(160, 24, 36));
    rect(layer, 16, 10, 2, 4, QColor(200, 40, 50));
    for (int y : {13, 17, 21})
        put(layer, 13, y, QColor(40, 40, 48));
    // head with hat
    disc(layer, 10, 2, 8, 7, white);
    put(layer, 12, 5, QColor(30, 30, 36));
    put(layer, 15, 5, QColor(30, 30, 36));
    hline(layer, 14, 16, 6, QColor(240, 130, 30)); // carrot nose
    put(layer, 17, 6, QColor(220, 100, 20));
    rect(layer, 10, 1, 8, 2, QColor(40, 40, 50));
    rect(layer, 11, -2, 6, 3, QColor(40, 40, 50));
    hline(layer, 11, 16, 0, QColor(160, 40, 50));
    outline(layer, QColor(90, 104, 130));
    return over(img, layer);
}

QImage iceWall() {
    QImage img = brickTile(QColor(176, 214, 240), QColor(110, 150, 190), 14, 10, 14, 281);
    for (int y = 0; y < tileHeight; ++y)
        for (int x = 0; x < tileWidth; ++x)
            if ((x + 2 * y) % 17 == 0 && img.pixelColor(x, y).blue() > 200)
                img.setPixelColor(x, y, QColor(236, 248, 255)); // glints
    return img;
}

} // namespace

TileSet snowSet() {
    TileSet set;
    set.title = QStringLiteral("terrain03 : neige");
    set.tiles = {
        {QStringLiteral("neige"), true, snowTile(291)},
        {QStringLiteral("neige tassée, chemin"), true, trampledSnow()},
        {QStringLiteral("glace"), true, iceTile()},
        {QStringLiteral("herbe sous la neige"), true, snowyGrass()},
        {QStringLiteral("planches enneigées"), true, snowyPlanks()},
        {QStringLiteral("eau glacée"), false, icyWater()},
        {QStringLiteral("sapin enneigé"), false, firTree()},
        {QStringLiteral("rocher enneigé"), false, snowyRock()},
        {QStringLiteral("bonhomme de neige"), false, snowman()},
        {QStringLiteral("mur de glace"), false, iceWall()},
    };
    return set;
}

QList<TileSet> allTileSets() {
    return {outdoorSet(), indoorSet(), snowSet()};
}

QImage tileSheet(const TileSet& set) {
    QImage sheet(tileWidth * set.tiles.size(), tileHeight, QImage::Format_RGB32);
    sheet.fill(Qt::black);
    for (int k = 0; k < set.tiles.size(); ++k)
        for (int y = 0; y < tileHeight; ++y)
            for (int x = 0; x < tileWidth; ++x)
                sheet.setPixel(k * tileWidth + x, y, set.tiles[k].image.pixel(x, y) | 0xff000000u);
    return sheet;
}

} // namespace art
