#include "maps/rectangletool.h"

#include "maps/paintgeometry.h"

#include <algorithm>

RectangleTool::RectangleTool(QObject* parent) : MapTool(QStringLiteral("Rectangle"), parent) {}

void RectangleTool::mousePressed(const ToolTarget& target, mapgrid::Cell cell) {
    mDocument = target.document;
    mLayer = target.layer;
    mValue = valueFor(target, cell);
    mAnchor = mCorner = cell;
    mActive = true;
    emit previewChanged();
}

void RectangleTool::mouseMoved(mapgrid::Cell cell) {
    const mapgrid::Cell corner = paintgeometry::clampToGrid(cell);
    if (!mActive || corner == mCorner)
        return;
    mCorner = corner;
    emit previewChanged();
}

void RectangleTool::mouseReleased(mapgrid::Cell cell) {
    if (!mActive)
        return;
    mouseMoved(cell);
    mActive = false;
    apply(mDocument, mLayer, paintgeometry::rectangleCells(mAnchor, mCorner), mValue,
          mLayer == CellChange::Tile ? QStringLiteral("Rectangle")
                                     : QStringLiteral("Rectangle de collisions"));
    emit previewChanged();
}

void RectangleTool::cancel() {
    if (!mActive)
        return;
    mActive = false;
    emit previewChanged();
}

std::optional<QRect> RectangleTool::preview() const {
    if (!mActive)
        return std::nullopt;
    return QRect(
        QPoint(std::min(mAnchor.column, mCorner.column), std::min(mAnchor.row, mCorner.row)),
        QPoint(std::max(mAnchor.column, mCorner.column), std::max(mAnchor.row, mCorner.row)));
}
