#include "maps/renamemap.h"

RenameMap::RenameMap(MapDocument& document, QString name)
    : MapEdit(document, QStringLiteral("Nom de la carte")), mBefore(document.name()),
      mName(std::move(name)) {}

void RenameMap::redo() {
    mDocument.applyName(mName);
    enterAfter();
}

void RenameMap::undo() {
    mDocument.applyName(mBefore);
    enterBefore();
}
