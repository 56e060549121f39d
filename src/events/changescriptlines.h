#pragma once

#include <QStringList>
#include <QUndoCommand>

class ScriptDocument;

// Adds, removes, moves or changes lines of an event script: the lines before and after.
class ChangeScriptLines : public QUndoCommand {
public:
    ChangeScriptLines(ScriptDocument& document, QStringList before, QStringList after,
                      const QString& text);

    void redo() override;
    void undo() override;

private:
    ScriptDocument& mDocument;
    QStringList mBefore;
    QStringList mAfter;
};
