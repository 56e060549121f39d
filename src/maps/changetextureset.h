#pragma once

#include "maps/mapdocument.h"

#include <QUndoCommand>

// Gives the map another texture set. The set is written at once (its key and its tile sheet),
// so undoing gives the previous set back the same way; the map's unsaved state is untouched.
// The command is pushed once the change was made: its first redo does nothing.
class ChangeTextureSet : public QUndoCommand {
public:
    ChangeTextureSet(MapDocument& document, QString before, QString after, QString dataDir);

    void redo() override;
    void undo() override;

private:
    void give(const QString& set);

    MapDocument& mDocument;
    QString mBefore;
    QString mAfter;
    QString mDataDir;
    bool mDone = true;
};
