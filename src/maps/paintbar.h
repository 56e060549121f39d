#pragma once

#include <QWidget>

class CanvasView;
class PaintTools;
class QLabel;
class TilePalette;

// The row under the map canvas: the drawing tools, the tile palette, the grid and the zoom.
// Its buttons act through the tools' and the view's actions, whose tool tips name their keys.
class PaintBar : public QWidget {
    Q_OBJECT
public:
    PaintBar(PaintTools& tools, TilePalette* palette, CanvasView& view, QWidget* parent = nullptr);

private:
    QLabel* mZoom;
};
