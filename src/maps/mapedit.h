#pragma once

#include "maps/mapdocument.h"

#include <QUndoCommand>

// Base of the undo commands that change what a map's files will hold: each moves the
// document to a state of its own, so that undoing back to the saved state makes the map
// unsaved no more.
class MapEdit : public QUndoCommand {
public:
    MapEdit(MapDocument& document, const QString& text)
        : QUndoCommand(text), mDocument(document), mBefore(document.editState()),
          mAfter(document.newEditState()) {}

protected:
    void enterAfter() { mDocument.setEditState(mAfter); }
    void enterBefore() { mDocument.setEditState(mBefore); }
    // A command merged into this one ends where the other ended.
    void takeEnd(const MapEdit& other) { mAfter = other.mAfter; }

    MapDocument& mDocument;

private:
    int mBefore;
    int mAfter;
};
