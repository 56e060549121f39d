#include "maps/setherostart.h"

SetHeroStart::SetHeroStart(MapDocument& document, QString column, QString row)
    : MapEdit(document, QStringLiteral("Position de départ du héro")),
      mBeforeColumn(document.heroColumn()), mBeforeRow(document.heroRow()),
      mColumn(std::move(column)), mRow(std::move(row)) {}

void SetHeroStart::redo() {
    mDocument.applyHeroStart(mColumn, mRow);
    enterAfter();
}

void SetHeroStart::undo() {
    mDocument.applyHeroStart(mBeforeColumn, mBeforeRow);
    enterBefore();
}
