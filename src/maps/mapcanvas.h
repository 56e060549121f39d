#pragma once

#include "maps/maprenderer.h"

#include <QImage>
#include <QPointer>
#include <QSet>
#include <QWidget>

#include <optional>

class MapDocument;

// The map canvas `CarteImg` of the map editor: a view of the map document it is given. It
// keeps the map painted at its own size (481 x 249, see MapRenderer) and shows it enlarged
// 1, 2 or 3 times with sharp pixels, repainting only the cells the document says changed.
// Over the map it shows the grid, the hero start, the cells that have an event script, the
// event cell being edited, the cell under the pointer and the outline of a gesture.
//
// It reports mouse presses, moves with a button held, releases and double clicks in map
// pixels (zoom 1), whatever the button; the owner decides what they do. The keyboard works it
// too: the arrows move the outlined cell, Space clicks it, Shift with an arrow drags from it,
// Enter double-clicks it and Escape asks to drop a gesture.
class MapCanvas : public QWidget {
    Q_OBJECT
public:
    static constexpr int kMinZoom = 1;
    static constexpr int kMaxZoom = 3;

    explicit MapCanvas(QString dataDir, QWidget* parent = nullptr);

    // The document shown; nullptr shows what was painted last.
    void setDocument(MapDocument* document);
    // Paints every cell of the document over the kept picture (see MapRenderer::paint).
    void paintMap();

    int zoom() const { return mZoom; }
    void setZoom(int zoom);
    bool gridShown() const { return mGrid; }
    void setGridShown(bool shown);
    // Cells marked as having an event script, by slot.
    void setScriptedCells(const QSet<int>& cells);
    // The event cell being edited, outlined.
    void setEditedCell(std::optional<mapgrid::Cell> cell);
    // Cells outlined during a gesture (x the column, y the row), or nothing.
    void setGesture(std::optional<QRect> cells);

    // The cell under the pointer or moved to with the keyboard, if any.
    std::optional<mapgrid::Cell> pointerCell() const { return mPointer; }
    // The hero start cell, when the hero start names a cell of the grid.
    std::optional<mapgrid::Cell> heroCell() const;

    // The map as painted, at zoom 1, without what is shown over it.
    const QImage& image() const { return mRenderer.image(); }
    MapRenderer& renderer() { return mRenderer; }

signals:
    // A first button went down, the pointer moved with a button held, the last button came up
    // (positions in map pixels; inside or outside the grid, see mapgrid::cellAt).
    void pressed(QPoint position);
    void moved(QPoint position);
    void released(QPoint position);
    void doubleClicked(QPoint position);
    // Another button during a gesture, or Escape: drop the gesture.
    void cancelRequested();
    // Ctrl with the wheel: one step larger (+1) or smaller (-1).
    void zoomRequested(int step);
    void pointerCellChanged();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void cellsChanged(const QList<int>& changed);
    void heroStartChanged();
    QPoint mapPosition(QPointF widgetPosition) const;
    void setPointer(std::optional<mapgrid::Cell> cell);
    // The widget area of cells (x column, y row), a little larger for outlines.
    QRect cellArea(const QRect& cells) const;
    void updateCell(std::optional<mapgrid::Cell> cell);
    void drawOverlay(class QPainter& painter) const;
    void endKeyboardDrag();

    QString mDataDir;
    MapRenderer mRenderer;
    QPointer<MapDocument> mDocument;
    QImage mHero;
    int mZoom = 1;
    bool mGrid = true;
    QSet<int> mScripted;
    std::optional<mapgrid::Cell> mEdited;
    std::optional<QRect> mGesture;
    std::optional<mapgrid::Cell> mPointer;
    std::optional<mapgrid::Cell> mHeroCell;
    Qt::MouseButtons mButtons;
    bool mKeyboardDrag = false;
};
