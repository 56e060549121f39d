#include "iconart.h"

#include "heroart.h"
#include "pixels.h"
#include "tileart.h"

#include <QPainter>

namespace art {

namespace {

constexpr int kMaster = 64; // drawn pixel by pixel at this size
constexpr int kBorder = 2;
const QColor kFrame(38, 26, 24);
const QColor kGrid(255, 255, 255, 90);

// The outdoor set's tiles by code, as the map editor paints them.
QImage outdoorTile(int code) {
    return outdoorSet().tiles[code].image;
}

// A 3 x 3 corner of a map whose middle cell fills the card's middle: trees on top, grass with
// flowers, the path down the middle column, water along the bottom.
QImage mapCorner() {
    constexpr int codes[3][3] = {{6, 2, 6}, {1, 2, 0}, {5, 2, 5}};
    QImage img(kMaster, kMaster, QImage::Format_ARGB32);
    img.fill(Qt::transparent);
    const int x0 = (kMaster - tileWidth) / 2 - tileWidth;
    const int y0 = (kMaster - tileHeight) / 2 - tileHeight;
    QPainter p(&img);
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c)
            p.drawImage(x0 + c * tileWidth, y0 + r * tileHeight, outdoorTile(codes[r][c]));
    p.drawImage(x0 + tileWidth, y0 + tileHeight, heroSprites()[3].image); // face1
    p.end();
    // The editor's grid between the cells, dotted.
    for (int k = 1; k <= 2; ++k) {
        const int gx = x0 + k * tileWidth, gy = y0 + k * tileHeight;
        for (int t = 0; t < kMaster; t += 2) {
            blend(img, gx, t, kGrid);
            blend(img, t, gy, kGrid);
        }
    }
    return img;
}

// Everything outside a rounded square inset by the border made transparent, then the border.
QImage card(const QImage& content) {
    constexpr int inner = kMaster - 2 * kBorder;
    constexpr int radius = 7;
    QImage mask = blank(kMaster, kMaster);
    const QColor on(0, 0, 0);
    rect(mask, kBorder + radius, kBorder, inner - 2 * radius, inner, on);
    rect(mask, kBorder, kBorder + radius, inner, inner - 2 * radius, on);
    for (int cx : {kBorder, kBorder + inner - 2 * radius})
        for (int cy : {kBorder, kBorder + inner - 2 * radius})
            disc(mask, cx, cy, 2 * radius, 2 * radius, on);
    QImage img = blank(kMaster, kMaster);
    for (int y = 0; y < kMaster; ++y)
        for (int x = 0; x < kMaster; ++x)
            if (qAlpha(mask.pixel(x, y)) > 0)
                img.setPixel(x, y, content.pixel(x, y) | 0xff000000u);
    for (int k = 0; k < kBorder; ++k)
        outline(img, kFrame);
    return img;
}

} // namespace

QImage programIcon(int size) {
    const QImage master = card(mapCorner());
    if (size % kMaster == 0)
        return enlarge(master, size / kMaster);
    return master.scaled(size, size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

} // namespace art
