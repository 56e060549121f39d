#include "maps/penciltool.h"

#include "maps/paintgeometry.h"

PencilTool::PencilTool(QObject* parent) : MapTool(QStringLiteral("Crayon"), parent) {}

void PencilTool::mousePressed(const ToolTarget& target, mapgrid::Cell cell) {
    mDocument = target.document;
    mLayer = target.layer;
    mValue = valueFor(target, cell);
    mText = mLayer == CellChange::Tile ? QStringLiteral("Peindre") : QStringLiteral("Collision");
    mStroke = mDocument->newStroke();
    mLast = cell;
    mActive = true;
    apply(mDocument, mLayer, {cell}, mValue, mText, mStroke);
}

void PencilTool::mouseMoved(mapgrid::Cell cell) {
    if (!mActive || cell == mLast)
        return;
    QList<mapgrid::Cell> crossed = paintgeometry::lineCells(mLast, cell);
    if (!crossed.isEmpty() && crossed.first() == mLast)
        crossed.removeFirst();
    mLast = cell;
    apply(mDocument, mLayer, crossed, mValue, mText, mStroke);
}

void PencilTool::mouseReleased(mapgrid::Cell cell) {
    mouseMoved(cell);
    mActive = false;
}
