#include "maps/maprenderer.h"

#include "maps/textureset.h"

#include <QFont>
#include <QFontMetrics>
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

Cell cellUnder(QPoint position) {
    const auto floorDiv = [](int a, int b) { return a >= 0 ? a / b : -((-a + b - 1) / b); };
    return Cell{1 + floorDiv(position.y(), kCellHeight), 1 + floorDiv(position.x(), kCellWidth)};
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

// One paint of some cells: the pictures of the codes met, looked up once each, and where
// each cell's picture and mark reach.
class MapRenderer::Pass {
public:
    Pass(MapRenderer& renderer, const Stores& stores, const QString& dataDir,
         const QString& textureSet)
        : mRenderer(renderer), mStores(stores), mSet(dataDir, textureSet),
          mPainter(&renderer.mImage) {
        mPainter.setFont(collisionFont());
        mPainter.setPen(QColor(0xFF, 0xFF, 0xFF));
        mMarkBounds = QFontMetrics(mPainter.font())
                          .boundingRect(QRect(QPoint(5, 0), QSize(mapgrid::kCellWidth,
                                                                  mapgrid::kCellHeight)),
                                        kMarkFlags, QStringLiteral("X"));
    }

    QPainter& painter() { return mPainter; }

    // Pixels the cell's paint may change: its own area, its picture's (which may be larger)
    // and its mark's.
    QRect reach(int slot) {
        const mapgrid::Cell cell = mapgrid::cellOfSlot(slot);
        const QPoint origin = mapgrid::cellOrigin(cell.row, cell.column);
        QRect area(origin, QSize(mapgrid::kCellWidth, mapgrid::kCellHeight));
        if (const QImage* p = picture(slot))
            area |= QRect(origin, p->size());
        if (isCollision(slot))
            area |= mMarkBounds.translated(origin);
        return area;
    }

    void paint(int slot) {
        const mapgrid::Cell cell = mapgrid::cellOfSlot(slot);
        const QPoint origin = mapgrid::cellOrigin(cell.row, cell.column);
        if (const QImage* p = picture(slot))
            mPainter.drawImage(origin, *p);
        if (isCollision(slot))
            mPainter.drawText(QRect(origin + QPoint(5, 0),
                                    QSize(mapgrid::kCellWidth, mapgrid::kCellHeight)),
                              kMarkFlags, QStringLiteral("X"));
        ++mRenderer.mCellsPainted;
    }

private:
    static constexpr int kMarkFlags = Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip;

    const QImage* picture(int slot) {
        if (size_t(slot) >= mStores.tiles.size())
            return nullptr;
        const auto code = tileCode(mStores.tiles[size_t(slot)]);
        if (!code)
            return nullptr;
        auto it = mPictures.find(*code);
        if (it == mPictures.end())
            it = mPictures.insert(*code, mRenderer.mCache.picture(mSet.codePicturePath(*code)));
        return it->isNull() ? nullptr : &*it;
    }
    bool isCollision(int slot) const {
        return size_t(slot) < mStores.collisions.size() &&
               mStores.collisions[size_t(slot)] == QLatin1String("1");
    }

    MapRenderer& mRenderer;
    const Stores& mStores;
    const TextureSet mSet;
    QPainter mPainter;
    QRect mMarkBounds;
    QHash<int, QImage> mPictures;
};

void MapRenderer::paint(std::span<const QString> tiles, std::span<const QString> collisions,
                        const QString& dataDir, const QString& textureSet) {
    const Stores stores{tiles, collisions};
    Pass pass(*this, stores, dataDir, textureSet);
    for (int slot = 0; slot < mapgrid::kCells; ++slot)
        pass.paint(slot);
}

QRegion MapRenderer::paintCells(std::span<const QString> tiles,
                                std::span<const QString> collisions, const QString& dataDir,
                                const QString& textureSet, const QList<int>& changed) {
    const Stores stores{tiles, collisions};
    Pass pass(*this, stores, dataDir, textureSet);
    QRegion area;
    for (int slot : changed)
        if (slot >= 0 && slot < mapgrid::kCells)
            area += pass.reach(slot);
    if (area.isEmpty())
        return area;
    // Every cell whose paint reaches into the area, in the order of a full paint, so that
    // what overlaps ends as a full paint leaves it.
    pass.painter().setClipRegion(area);
    for (int slot = 0; slot < mapgrid::kCells; ++slot)
        if (area.intersects(pass.reach(slot)))
            pass.paint(slot);
    return area;
}
