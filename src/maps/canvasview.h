#pragma once

#include <QRect>
#include <QScrollArea>

#include <optional>

class MapCanvas;
class QAction;

// The area of the map editor that shows the canvas: it takes the room the window gives it,
// centres the canvas in it and scrolls when the enlarged map is larger. It owns the view's
// actions: "Zoom avant" (Ctrl++), "Zoom arrière" (Ctrl+-), "Taille réelle" (Ctrl+0) and
// "Grille" (G); Ctrl with the wheel over the map zooms too, keeping the cell under the pointer
// where it is.
//
// The window and the zoom follow each other. Zooming in grows the window that holds the view
// (its child window in the main window, or itself) as far as the room allows, to show the
// whole map; back at 1x the window takes its place and size again, unless the user moved or
// resized it since. When the window is resized otherwise (maximised, for one), the map is
// shown as large as the view holds.
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

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    // The largest zoom at which the whole map shows in the view.
    int fittingZoom() const;
    void fitWindow();

    MapCanvas* mCanvas;
    std::optional<QRect> mGeometryBeforeZoom;
    QRect mGeometryAfterZoom;
    bool mFitting = false;
    QAction* mZoomIn;
    QAction* mZoomOut;
    QAction* mZoomReset;
    QAction* mGrid;
};
