#pragma once

#include "maps/mapedit.h"

// Paints tiles or sets collision flags of some cells (a press, a stroke, a reset). Successive
// commands of the same stroke merge into one step.
class ChangeCells : public MapEdit {
public:
    ChangeCells(MapDocument& document, QList<CellChange> changes, const QString& text,
                int stroke);

    void redo() override;
    void undo() override;
    int id() const override { return mStroke ? 1 : -1; }
    bool mergeWith(const QUndoCommand* other) override;

private:
    QList<CellChange> mChanges;
    int mStroke;
};
