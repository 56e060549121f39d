#pragma once

#include "maps/maptool.h"

// "Rectangle": press on one corner, drag to the opposite one (the rectangle is outlined
// meanwhile, and stops at the grid's edges), release to give every cell inside the tile, or in
// collision mode the state the first corner takes when toggled. One step.
class RectangleTool : public MapTool {
    Q_OBJECT
public:
    explicit RectangleTool(QObject* parent = nullptr);

    void mousePressed(const ToolTarget& target, mapgrid::Cell cell) override;
    void mouseMoved(mapgrid::Cell cell) override;
    void mouseReleased(mapgrid::Cell cell) override;
    void cancel() override;
    bool isActive() const override { return mActive; }
    std::optional<QRect> preview() const override;

private:
    QPointer<MapDocument> mDocument;
    CellChange::Layer mLayer = CellChange::Tile;
    QString mValue;
    mapgrid::Cell mAnchor;
    mapgrid::Cell mCorner;
    bool mActive = false;
};
