#include "maps/changetextureset.h"

ChangeTextureSet::ChangeTextureSet(MapDocument& document, QString before, QString after,
                                   QString dataDir)
    : QUndoCommand(QStringLiteral("Changer de texture")), mDocument(document),
      mBefore(std::move(before)), mAfter(std::move(after)), mDataDir(std::move(dataDir)) {}

void ChangeTextureSet::redo() {
    if (mDone) {
        mDone = false;
        return;
    }
    give(mAfter);
}

void ChangeTextureSet::undo() { give(mBefore); }

void ChangeTextureSet::give(const QString& set) {
    if (const QString error = mDocument.applyTextureSet(set, mDataDir); !error.isEmpty())
        emit mDocument.editFailed(error);
}
