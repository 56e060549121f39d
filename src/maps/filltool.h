#pragma once

#include "maps/maptool.h"

// "Remplissage": the press gives the tile (or, in collision mode, the state the pressed cell
// takes when toggled) to every cell joined to it, side by side, through cells of its tile
// code. One step.
class FillTool : public MapTool {
    Q_OBJECT
public:
    explicit FillTool(QObject* parent = nullptr);

    void mousePressed(const ToolTarget& target, mapgrid::Cell cell) override;
};
