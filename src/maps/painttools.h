#pragma once

#include "maps/maptool.h"

#include <QObject>

#include <array>
#include <optional>

class QAction;
class QActionGroup;

// The canvas's drawing tools and the actions that choose them: "Crayon" (B), "Rectangle" (R)
// and "Remplissage" (F), one of them chosen at a time, the pencil at first. The owner hands
// the canvas's gestures, turned into cells, to the chosen tool.
class PaintTools : public QObject {
    Q_OBJECT
public:
    enum Kind { Pencil, Rectangle, Fill };

    explicit PaintTools(QObject* parent = nullptr);

    Kind current() const { return mCurrent; }
    MapTool* tool() const { return mTools[size_t(mCurrent)]; }
    QAction* action(Kind kind) const { return mActions[size_t(kind)]; }
    void choose(Kind kind);

    void press(const ToolTarget& target, mapgrid::Cell cell) { tool()->mousePressed(target, cell); }
    void move(mapgrid::Cell cell) { tool()->mouseMoved(cell); }
    void release(mapgrid::Cell cell) { tool()->mouseReleased(cell); }
    void cancel() { tool()->cancel(); }
    bool isActive() const { return tool()->isActive(); }

signals:
    // The cells to outline changed (a rectangle being dragged), or the outline went.
    void gestureChanged(std::optional<QRect> cells);

private:
    std::array<MapTool*, 3> mTools{};
    std::array<QAction*, 3> mActions{};
    Kind mCurrent = Pencil;
};
