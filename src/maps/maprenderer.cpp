#include "maps/maprenderer.h"

#include "maps/textureset.h"

#include <QFont>
#include <QHash>
#include <QPainter>

namespace mapgrid {

std::optional<Cell> cellAt(QPoint position) {
    if (position.x() < 0 || position.y() < 0)
        return std::nullopt;
    const int column = 1 + position.x() / kCellWidth;
    const int row = 1 + position.y() / kCellHeight;
    if (column > kColumns || row > kRows)
        return std::nullopt;
    return Cell{row, column};
}

QPoint cellOrigin(int row, int column) {
    return QPoint((column - 1) * kCellWidth, (row - 1) * kCellHeight);
}

} // namespace mapgrid

namespace {

// Tile code of a store slot: decimal digits only, so that "", "a", " 1" or "-1" paint nothing.
std::optional<int> tileCode(const QString& text) {
    if (text.isEmpty() || text.size() > 4)
        return std::nullopt;
    for (QChar ch : text)
        if (ch < u'0' || ch > u'9')
            return std::nullopt;
    return text.toInt();
}

QFont collisionFont() {
    QFont font;
    // 14 points on the 96 dpi screen the editor was drawn for; pixels keep it DPI-proof.
    font.setPixelSize(19);
    return font;
}

} // namespace

MapRenderer::MapRenderer(QColor background)
    : mImage(mapgrid::kCanvasWidth, mapgrid::kCanvasHeight, QImage::Format_RGB32) {
    mImage.fill(background);
}

void MapRenderer::paint(std::span<const QString> tiles, std::span<const QString> collisions,
                        const QString& dataDir, const QString& textureSet) {
    using namespace mapgrid;
    const TextureSet set(dataDir, textureSet);
    QPainter painter(&mImage);
    painter.setFont(collisionFont());
    painter.setPen(QColor(0xFF, 0xFF, 0xFF));
    // Each distinct code is looked up (and its file checked) once per paint.
    QHash<int, QImage> pictures;
    for (int row = 1; row <= kRows; ++row) {
        for (int column = 1; column <= kColumns; ++column) {
            const size_t slot = size_t((row - 1) * kColumns + (column - 1));
            const QPoint origin = cellOrigin(row, column);
            if (slot < tiles.size()) {
                if (const auto code = tileCode(tiles[slot])) {
                    auto it = pictures.find(*code);
                    if (it == pictures.end())
                        it = pictures.insert(*code, mCache.picture(set.codePicturePath(*code)));
                    const QImage& picture = *it;
                    if (!picture.isNull())
                        painter.drawImage(origin, picture);
                }
            }
            if (slot < collisions.size() && collisions[slot] == QStringLiteral("1"))
                painter.drawText(QRect(origin + QPoint(5, 0), QSize(kCellWidth, kCellHeight)),
                                 Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip,
                                 QStringLiteral("X"));
        }
    }
}
