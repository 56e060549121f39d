#pragma once

#include <QScrollArea>

class MapCanvas;
class QAction;

// The area of the map editor that shows the canvas: it takes the room the window gives it,
// centres the canvas in it and scrolls when the enlarged map is larger. It owns the view's
// actions: "Zoom avant" (Ctrl++), "Zoom arrière" (Ctrl+-), "Taille réelle" (Ctrl+0) and
// "Grille" (G); Ctrl with the wheel over the map zooms too, keeping the cell under the pointer
// where it is.
class CanvasView : public QScrollArea {
    Q_OBJECT
public:
    CanvasView(MapCanvas* canvas, QWidget* parent = nullptr);

    MapCanvas* canvas() const { return mCanvas; }
    QAction* zoomInAction() const { return mZoomIn; }
    QAction* zoomOutAction() const { return mZoomOut; }
    QAction* zoomResetAction() const { return mZoomReset; }
    QAction* gridAction() const { return mGrid; }

    int zoom() const;
    // Zooms about a point of the canvas (its own pixels), which stays under the same place of
    // the view; without one, about the view's centre.
    void setZoom(int zoom, std::optional<QPoint> anchor = std::nullopt);

signals:
    void zoomChanged(int zoom);

private:
    MapCanvas* mCanvas;
    QAction* mZoomIn;
    QAction* mZoomOut;
    QAction* mZoomReset;
    QAction* mGrid;
};
