#pragma once

#include "maps/mapdocument.h"
#include "project/mapgrid.h"

#include <QObject>
#include <QPointer>
#include <QRect>
#include <QString>

#include <optional>

// What a drawing tool changes: the document, the store it writes (tile codes in drawing mode,
// collision flags in collision mode) and the tile code painted.
struct ToolTarget {
    MapDocument* document = nullptr;
    CellChange::Layer layer = CellChange::Tile;
    QString tileCode;
};

// Base of the canvas's drawing tools. The canvas gives them presses, moves with a button held,
// and releases, already turned into cells; a press is always on a cell of the grid, a move or
// a release may be outside it. Each gesture ends as one undo step of the document.
class MapTool : public QObject {
    Q_OBJECT
public:
    MapTool(QString name, QObject* parent);

    // The name that shows in menus, tool tips and undo texts ("Crayon", "Rectangle"...).
    const QString& name() const { return mName; }

    virtual void activate() {}
    // Another tool is chosen: a gesture in progress is dropped.
    virtual void deactivate() { cancel(); }

    virtual void mousePressed(const ToolTarget& target, mapgrid::Cell cell) = 0;
    virtual void mouseMoved(mapgrid::Cell) {}
    virtual void mouseReleased(mapgrid::Cell) {}
    // Drops a gesture in progress; what it already changed stays.
    virtual void cancel() {}

    // Whether a gesture is in progress (a button held since a press).
    virtual bool isActive() const { return false; }
    // Cells outlined on the canvas during a gesture, in cells: x is the column, y the row.
    virtual std::optional<QRect> preview() const { return std::nullopt; }

signals:
    void previewChanged();

protected:
    // The value the gesture gives each cell: the tile code, or in collision mode the flag the
    // first cell takes when it is toggled.
    static QString valueFor(const ToolTarget& target, mapgrid::Cell first);
    // Gives `value` to the cells' store in one edit; the same non-zero stroke merges edits.
    static void apply(MapDocument* document, CellChange::Layer layer,
                      const QList<mapgrid::Cell>& cells, const QString& value, const QString& text,
                      int stroke = 0);

private:
    QString mName;
};
