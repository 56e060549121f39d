#include "maps/changecells.h"

ChangeCells::ChangeCells(MapDocument& document, QList<CellChange> changes, const QString& text,
                         int stroke)
    : MapEdit(document, text), mChanges(std::move(changes)), mStroke(stroke) {}

void ChangeCells::redo() {
    mDocument.applyCells(mChanges, true);
    enterAfter();
}

void ChangeCells::undo() {
    mDocument.applyCells(mChanges, false);
    enterBefore();
}

bool ChangeCells::mergeWith(const QUndoCommand* other) {
    const auto* next = static_cast<const ChangeCells*>(other);
    if (next->mStroke != mStroke || &next->mDocument != &mDocument)
        return false;
    // A cell changed twice keeps its first "before" and takes the later "after".
    for (const CellChange& change : next->mChanges) {
        auto same = std::find_if(mChanges.begin(), mChanges.end(), [&](const CellChange& c) {
            return c.slot == change.slot && c.layer == change.layer;
        });
        if (same == mChanges.end())
            mChanges.append(change);
        else
            same->after = change.after;
    }
    takeEnd(*next);
    return true;
}
