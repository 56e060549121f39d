// Texture set 01: a meadow with its paths, water and woods.
#include "pixels.h"
#include "tileart.h"
#include "tilehelpers.h"

#include <QPainter>
#include <cmath>

namespace art {
namespace {

constexpr double pi = 3.14159265358979;

QImage flowerTile() {
    QImage img = grassTile(11);
    struct Flower {
        int x, y;
        QColor petal;
    };
    const Flower flowers[] = {
        {5, 5, QColor(230, 60, 70)},    {19, 3, QColor(250, 220, 60)},
        {12, 12, QColor(250, 250, 250)}, {23, 14, QColor(170, 100, 220)},
        {4, 20, QColor(250, 220, 60)},  {16, 22, QColor(230, 60, 70)},
        {24, 25, QColor(250, 250, 250)}, {9, 27, QColor(170, 100, 220)},
    };
    for (const Flower& f : flowers) {
        putWrap(img, f.x, f.y + 2, QColor(40, 110, 40)); // stem
        putWrap(img, f.x - 1, f.y, f.petal);
        putWrap(img, f.x + 1, f.y, f.petal);
        putWrap(img, f.x, f.y - 1, shade(f.petal, 25));
        putWrap(img, f.x, f.y + 1, shade(f.petal, -35));
        putWrap(img, f.x, f.y, QColor(250, 170, 40));
    }
    return img;
}

QImage pathTile() {
    QImage img = noiseTile(QColor(192, 152, 100), QColor(176, 136, 86), 7, 21);
    speckle(img, QColor(150, 112, 70), 0.06, 22);
    speckle(img, QColor(214, 180, 130), 0.04, 23);
    const int pebbles[][2] = {{4, 6}, {17, 3}, {23, 16}, {9, 19}, {14, 26}, {2, 13}};
    for (const auto& p : pebbles) {
        putWrap(img, p[0], p[1], QColor(150, 144, 134));
        putWrap(img, p[0] + 1, p[1], QColor(120, 114, 106));
        putWrap(img, p[0], p[1] - 1, QColor(196, 190, 178));
        putWrap(img, p[0] + 1, p[1] + 1, QColor(134, 98, 60));
    }
    return img;
}

QImage sandTile() {
    QImage img = noiseTile(QColor(240, 220, 162), QColor(226, 200, 140), 9, 31);
    // Wind ripples: gentle waves that repeat exactly every tile width.
    for (int band : {5, 14, 23})
        for (int x = 0; x < tileWidth; ++x) {
            const int y = band + int(std::lround(1.5 * std::sin(2 * pi * x / tileWidth)));
            putWrap(img, x, y, QColor(212, 186, 126));
            putWrap(img, x, y - 1, QColor(248, 234, 186));
        }
    speckle(img, QColor(196, 170, 116), 0.03, 32);
    return img;
}

QImage waterTile() {
    QImage img = noiseTile(QColor(44, 104, 190), QColor(64, 132, 216), 7, 41);
    const int waves[][2] = {{3, 4}, {16, 7}, {8, 13}, {21, 16}, {2, 22}, {14, 25}, {24, 1}};
    for (const auto& w : waves) {
        const QColor crest(150, 200, 244);
        putWrap(img, w[0], w[1], crest);
        putWrap(img, w[0] + 1, w[1] - 1, crest);
        putWrap(img, w[0] + 2, w[1] - 1, crest);
        putWrap(img, w[0] + 3, w[1], crest);
        putWrap(img, w[0] + 4, w[1], QColor(100, 160, 226));
        putWrap(img, w[0] + 1, w[1], QColor(36, 88, 170));
        putWrap(img, w[0] + 2, w[1], QColor(36, 88, 170));
    }
    return img;
}

QImage bridgeTile() {
    QImage img = woodPlanks(51, true);
    // Railing beams along the top and bottom edges.
    for (int y : {0, 1, 2, 26, 27, 28})
        for (int x = 0; x < tileWidth; ++x) {
            QColor c(112, 70, 36);
            if (y == 0 || y == 26)
                c = QColor(150, 100, 56);
            if (y == 2 || y == 28)
                c = QColor(74, 44, 22);
            img.setPixelColor(x, y, c);
        }
    for (int x : {6, 20}) {
        rect(img, x, 0, 3, 3, QColor(90, 56, 28));
        rect(img, x, 26, 3, 3, QColor(90, 56, 28));
        put(img, x, 0, QColor(160, 110, 64));
        put(img, x, 26, QColor(160, 110, 64));
    }
    return img;
}

QImage treeTile() {
    QImage img = grassTile(61);
    groundShadow(img, 5, 21, 19, 7, 70);
    QImage layer = blank(tileWidth, tileHeight);
    rect(layer, 12, 17, 4, 9, QColor(116, 76, 42));
    vline(layer, 12, 17, 25, QColor(86, 54, 30));
    vline(layer, 15, 17, 25, QColor(140, 96, 56));
    put(layer, 11, 25, QColor(116, 76, 42));
    put(layer, 16, 25, QColor(116, 76, 42));
    disc(layer, 3, 1, 22, 19, QColor(34, 104, 44));
    disc(layer, 4, 1, 17, 15, QColor(50, 132, 54));
    disc(layer, 6, 2, 11, 9, QColor(70, 156, 64));
    const int lights[][2] = {{8, 4}, {12, 3}, {7, 8}, {16, 6}, {10, 10}, {14, 9}};
    for (const auto& p : lights) {
        put(layer, p[0], p[1], QColor(112, 188, 90));
        put(layer, p[0] + 1, p[1], QColor(96, 176, 80));
    }
    const int darks[][2] = {{19, 12}, {15, 15}, {21, 8}, {10, 16}, {18, 16}, {6, 13}};
    for (const auto& p : darks) {
        put(layer, p[0], p[1], QColor(24, 80, 34));
        put(layer, p[0] + 1, p[1], QColor(24, 80, 34));
    }
    outline(layer, QColor(20, 56, 24));
    return over(img, layer);
}

QImage rockTile() {
    QImage img = noiseTile(QColor(136, 130, 122), QColor(112, 106, 100), 6, 71);
    speckle(img, QColor(96, 90, 86), 0.05, 72);
    speckle(img, QColor(160, 154, 146), 0.04, 73);
    // Ledges: a light upper lip and a dark crack under it, wavy, repeating every tile.
    for (int ledge : {8, 18, 27}) {
        for (int x = 0; x < tileWidth; ++x) {
            const int y = ledge + int(std::lround(1.2 * std::sin(2 * pi * (x + ledge) / 14.0)));
            putWrap(img, x, y, QColor(62, 58, 56));
            putWrap(img, x, y + 1, QColor(178, 172, 162));
            putWrap(img, x, y + 2, QColor(154, 148, 140));
            putWrap(img, x, y - 1, QColor(96, 92, 88));
        }
    }
    // Vertical joints between boulders, staggered per ledge.
    const int joints[][3] = {{6, 0, 7}, {20, 0, 7}, {13, 10, 17}, {2, 20, 26}, {24, 11, 17},
                             {17, 20, 26}};
    for (const auto& j : joints)
        for (int y = j[1]; y <= j[2]; ++y) {
            putWrap(img, j[0] + (y % 3 == 0 ? 1 : 0), y, QColor(70, 66, 62));
            putWrap(img, j[0] + 1 + (y % 3 == 0 ? 1 : 0), y, QColor(150, 144, 136));
        }
    // A little moss.
    for (const auto& p : {std::pair{4, 10}, std::pair{22, 20}, std::pair{11, 1}}) {
        putWrap(img, p.first, p.second, QColor(80, 130, 60));
        putWrap(img, p.first + 1, p.second, QColor(100, 150, 70));
    }
    return img;
}

QImage bushTile() {
    QImage img = grassTile(81);
    groundShadow(img, 4, 19, 21, 8, 70);
    QImage layer = blank(tileWidth, tileHeight);
    disc(layer, 3, 7, 22, 17, QColor(38, 112, 46));
    disc(layer, 4, 7, 16, 12, QColor(56, 140, 58));
    disc(layer, 6, 8, 9, 6, QColor(82, 166, 70));
    const int berries[][2] = {{9, 16}, {16, 12}, {20, 17}, {13, 19}, {7, 11}};
    for (const auto& b : berries) {
        put(layer, b[0], b[1], QColor(200, 40, 60));
        put(layer, b[0] + 1, b[1], QColor(160, 20, 40));
        put(layer, b[0], b[1] - 1, QColor(250, 130, 140));
    }
    outline(layer, QColor(20, 60, 26));
    return over(img, layer);
}

QImage fenceTile() {
    QImage img = grassTile(91);
    for (int x = 0; x < tileWidth; ++x) {
        put(img, x, 14, shade(img.pixelColor(x, 14), -40));
        put(img, x, 22, shade(img.pixelColor(x, 22), -40));
    }
    QImage layer = blank(tileWidth, tileHeight);
    const QColor wood(180, 128, 72), woodLight(214, 166, 104), woodDark(120, 80, 42);
    // Rails run across the whole tile so that fences join side by side.
    for (int y0 : {10, 18}) {
        rect(layer, 0, y0, tileWidth, 3, wood);
        hline(layer, 0, tileWidth - 1, y0, woodLight);
        hline(layer, 0, tileWidth - 1, y0 + 2, woodDark);
    }
    for (int x0 : {4, 20}) {
        rect(layer, x0, 6, 4, 20, wood);
        put(layer, x0, 5, Qt::transparent);
        rect(layer, x0 + 1, 4, 2, 2, wood); // pointed top
        vline(layer, x0, 6, 25, woodLight);
        vline(layer, x0 + 3, 6, 25, woodDark);
        put(layer, x0 + 1, 12, woodDark);
        put(layer, x0 + 2, 20, woodDark);
    }
    // Outline every part but the rail ends, which must meet the next tile.
    QImage lined = layer.copy();
    outline(lined, QColor(70, 44, 22));
    for (int y : {10, 11, 12, 18, 19, 20})
        for (int x : {0, tileWidth - 1})
            lined.setPixelColor(x, y, layer.pixelColor(x, y));
    return over(img, lined);
}

} // namespace

QImage grassTile(int seed) {
    QImage img = noiseTile(QColor(86, 160, 62), QColor(98, 170, 68), 7, seed);
    speckle(img, QColor(64, 130, 48), 0.06, seed + 1);
    speckle(img, QColor(132, 198, 92), 0.03, seed + 2);
    // Little tufts: a dark V with a light tip.
    for (int k = 0; k < 7; ++k) {
        const int x = int(hash3(k, 0, seed + 3) % tileWidth);
        const int y = int(hash3(k, 1, seed + 3) % tileHeight);
        putWrap(img, x, y, QColor(52, 112, 40));
        putWrap(img, x - 1, y - 1, QColor(60, 124, 44));
        putWrap(img, x + 1, y - 1, QColor(60, 124, 44));
        putWrap(img, x + 1, y - 2, QColor(140, 204, 96));
    }
    return img;
}

QImage woodPlanks(int seed, bool across) {
    // Planks 7 pixels wide (6 of wood, 1 of gap) along the long axis chosen by `across`.
    QImage img = blank(tileWidth, tileHeight);
    const int length = across ? tileHeight : tileWidth;
    const int breadth = across ? tileWidth : tileHeight;
    const int planks = breadth / 7;
    for (int u = 0; u < length; ++u)
        for (int v = 0; v < breadth; ++v) {
            const int plank = std::min(v * planks / breadth, planks - 1);
            const int start = (plank * breadth + planks - 1) / planks;
            const int end = ((plank + 1) * breadth + planks - 1) / planks;
            const int tone = int((noise01(plank, 0, seed) - 0.5) * 30);
            QColor c = shade(QColor(168, 112, 62), tone);
            // grain: faint streaks along the plank
            const double g = smoothNoise(u, v * 5, 9, length, breadth * 5, seed + plank);
            c = shade(c, int((g - 0.5) * 30));
            if (v == start)
                c = shade(c, 22);
            if (v == end - 1)
                c = QColor(70, 42, 20);
            else if (v == end - 2)
                c = shade(c, -24);
            // a joint where one board ends and the next begins
            const int joint = int(hash3(plank, 3, seed) % length);
            if (u == joint && v < end - 1)
                c = QColor(90, 56, 28);
            const int x = across ? v : u;
            const int y = across ? u : v;
            img.setPixelColor(x, y, c);
        }
    // nail heads at both ends of each plank
    for (int p = 0; p < planks; ++p) {
        const int mid = (p * breadth + planks - 1) / planks + 2;
        const int joint = int(hash3(p, 3, seed) % length);
        for (int u : {joint - 2, joint + 2}) {
            const int uu = ((u % length) + length) % length;
            const int x = across ? mid : uu;
            const int y = across ? uu : mid;
            put(img, x, y, QColor(60, 56, 54));
            put(img, across ? x + 1 : x, across ? y : y + 1, QColor(60, 56, 54));
        }
    }
    return img;
}

TileSet outdoorSet() {
    TileSet set;
    set.title = QStringLiteral("terrain01 : extérieur");
    set.tiles = {
        {QStringLiteral("herbe"), true, grassTile(1)},
        {QStringLiteral("fleurs"), true, flowerTile()},
        {QStringLiteral("chemin de terre"), true, pathTile()},
        {QStringLiteral("sable"), true, sandTile()},
        {QStringLiteral("pont de bois"), true, bridgeTile()},
        {QStringLiteral("eau"), false, waterTile()},
        {QStringLiteral("arbre"), false, treeTile()},
        {QStringLiteral("rocher, falaise"), false, rockTile()},
        {QStringLiteral("buisson"), false, bushTile()},
        {QStringLiteral("barrière"), false, fenceTile()},
    };
    return set;
}

} // namespace art
