#pragma once

#include "maps/mapedit.h"

// Places the hero's start on a cell.
class SetHeroStart : public MapEdit {
public:
    SetHeroStart(MapDocument& document, QString column, QString row);

    void redo() override;
    void undo() override;

private:
    QString mBeforeColumn, mBeforeRow, mColumn, mRow;
};
