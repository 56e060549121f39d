#include "maps/tilepalette.h"

#include "maps/textureset.h"
#include "project/mapgrid.h"
#include "project/module1.h"

#include <QHelpEvent>
#include <QImageReader>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyleOptionFocusRect>
#include <QToolTip>

namespace {

constexpr int kMargin = 3;
constexpr int kGap = 4;
constexpr int kCodeHeight = 13;

} // namespace

TilePalette::TilePalette(QString dataDir, QWidget* parent)
    : QWidget(parent), mDataDir(std::move(dataDir)) {
    setObjectName(QStringLiteral("tilePalette"));
    setAccessibleName(QStringLiteral("Palette des tuiles"));
    setFocusPolicy(Qt::StrongFocus);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

void TilePalette::setTextureSet(const QString& set) {
    const TextureSet textures(mDataDir, set);
    mPictures.clear();
    for (int k = 1; k <= textures.pickerMaximum(); ++k) {
        QImageReader reader(resolvePath(textures.tilePath(k)));
        reader.setDecideFormatFromContent(true);
        mPictures.append(reader.read());
    }
    updateGeometry();
    update();
}

void TilePalette::setTile(int tile) {
    if (tile == mTile)
        return;
    mTile = tile;
    setAccessibleDescription(QStringLiteral("Tuile n° %1, code %2").arg(tile).arg(tile - 1));
    update();
}

QRect TilePalette::tileRect(int tile) const {
    return QRect(kMargin + (tile - 1) * (mapgrid::kCellWidth + kGap), kMargin,
                 mapgrid::kCellWidth, mapgrid::kCellHeight);
}

QSize TilePalette::sizeHint() const {
    const int tiles = std::max(1, tileCount());
    return QSize(2 * kMargin + tiles * mapgrid::kCellWidth + (tiles - 1) * kGap,
                 2 * kMargin + mapgrid::kCellHeight + kCodeHeight);
}

int TilePalette::tileAt(QPoint position) const {
    for (int k = 1; k <= tileCount(); ++k)
        if (tileRect(k).adjusted(-kGap / 2, -kMargin, kGap / 2, kCodeHeight).contains(position))
            return k;
    return 0;
}

void TilePalette::choose(int tile) {
    if (tile < 1 || tile > tileCount())
        return;
    setTile(tile);
    emit tileChosen(tile);
}

void TilePalette::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    QFont small = font();
    small.setPixelSize(10);
    painter.setFont(small);
    for (int k = 1; k <= tileCount(); ++k) {
        const QRect area = tileRect(k);
        const QImage& picture = mPictures[k - 1];
        if (picture.isNull())
            painter.fillRect(area, palette().color(QPalette::Mid));
        else
            painter.drawImage(area.topLeft(), picture, QRect(QPoint(), area.size()));
        const QRect code(area.left(), area.bottom() + 1, area.width(), kCodeHeight);
        const bool chosen = k == mTile;
        if (chosen) {
            painter.fillRect(code, palette().color(QPalette::Highlight));
            painter.setPen(QPen(palette().color(QPalette::Highlight), 2));
            painter.drawRect(QRectF(area).adjusted(-1, -1, 1, 1));
        }
        painter.setPen(palette().color(chosen ? QPalette::HighlightedText : QPalette::WindowText));
        painter.drawText(code, Qt::AlignCenter, QString::number(k - 1));
    }
    if (hasFocus() && mTile >= 1 && mTile <= tileCount()) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = tileRect(mTile).adjusted(-3, -3, 3, kCodeHeight + 2);
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &painter, this);
    }
}

void TilePalette::mousePressEvent(QMouseEvent* event) {
    choose(tileAt(event->position().toPoint()));
}

void TilePalette::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    if (key >= Qt::Key_0 && key <= Qt::Key_9) {
        choose(key - Qt::Key_0 + 1);
        return;
    }
    switch (key) {
    case Qt::Key_Left: choose(std::max(1, mTile - 1)); break;
    case Qt::Key_Right: choose(std::min(tileCount(), mTile + 1)); break;
    case Qt::Key_Home: choose(1); break;
    case Qt::Key_End: choose(tileCount()); break;
    default: QWidget::keyPressEvent(event);
    }
}

bool TilePalette::event(QEvent* event) {
    if (event->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(event);
        if (const int k = tileAt(help->pos()))
            QToolTip::showText(help->globalPos(),
                               QStringLiteral("Tuile n° %1 (code %2)").arg(k).arg(k - 1), this,
                               tileRect(k));
        else
            QToolTip::hideText();
        return true;
    }
    return QWidget::event(event);
}
