#include "events/changescriptlines.h"

#include "events/scriptdocument.h"

ChangeScriptLines::ChangeScriptLines(ScriptDocument& document, QStringList before,
                                     QStringList after, const QString& text)
    : QUndoCommand(text), mDocument(document), mBefore(std::move(before)),
      mAfter(std::move(after)) {}

void ChangeScriptLines::redo() { mDocument.applyLines(mAfter); }

void ChangeScriptLines::undo() { mDocument.applyLines(mBefore); }
