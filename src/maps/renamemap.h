#pragma once

#include "maps/mapedit.h"

// Changes the map's name.
class RenameMap : public MapEdit {
public:
    RenameMap(MapDocument& document, QString name);

    void redo() override;
    void undo() override;

private:
    QString mBefore;
    QString mName;
};
