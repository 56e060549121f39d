#pragma once

#include "maps/maptool.h"

// "Crayon": the press paints its cell and a drag every cell the pointer crosses, as one step.
// In collision mode the first cell is toggled and every crossed cell takes the state it took.
class PencilTool : public MapTool {
    Q_OBJECT
public:
    explicit PencilTool(QObject* parent = nullptr);

    void mousePressed(const ToolTarget& target, mapgrid::Cell cell) override;
    void mouseMoved(mapgrid::Cell cell) override;
    void mouseReleased(mapgrid::Cell cell) override;
    void cancel() override { mActive = false; }
    bool isActive() const override { return mActive; }

private:
    QPointer<MapDocument> mDocument;
    CellChange::Layer mLayer = CellChange::Tile;
    QString mValue;
    QString mText;
    mapgrid::Cell mLast;
    int mStroke = 0;
    bool mActive = false;
};
