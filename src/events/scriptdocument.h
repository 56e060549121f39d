#pragma once

#include "project/projectdocument.h"

#include <QString>
#include <QStringList>

class ProjectSession;
class QUndoStack;

// The event script of one map cell as an editor shows it: its lines, with an undo stack of the
// edits. An editor opens a cell into its document (the map editor's panel and the event editor
// each have one); nothing reaches the cell's file until save().
class ScriptDocument : public ProjectDocument {
    Q_OBJECT
public:
    explicit ScriptDocument(ProjectSession& session, QObject* parent = nullptr);

    bool hasCell() const { return !mMap.isEmpty(); }
    const QString& map() const { return mMap; } // map number text, empty before a cell is chosen
    int row() const { return mRow; }
    int column() const { return mColumn; }
    // The cell's script file.
    QString path() const;
    const QStringList& lines() const { return mLines; }
    QUndoStack* undoStack() const { return mUndo; }

    // Shows the cell's script as stored; a cell without a script file shows `whenMissing`.
    // This starts the document afresh: nothing to undo, nothing unsaved.
    void openCell(const QString& map, int row, int column, const QStringList& whenMissing = {});
    // Reads the cell's file again, when nothing is unsaved.
    void reload();

    // Edits, each one step of the undo stack.
    void appendLine(const QString& line);
    void removeLine(int index);
    void moveLine(int from, int to);
    void replaceLine(int index, const QString& line);

    bool isModified() const override;
    // saveevent: the lines into the cell's file. Empty on success, else the French message.
    QString save() override;
    QString saveQuestion() const override;

    // What the undo command does and undoes.
    void applyLines(const QStringList& lines);

signals:
    void linesChanged();
    void cellChanged();

private:
    void edit(QStringList lines, const QString& text);

    ProjectSession& mSession;
    QString mProjectFolder;
    QString mMap;
    int mRow = 0;
    int mColumn = 0;
    QStringList mLines;
    QStringList mWhenMissing;
    QUndoStack* mUndo;
    bool mSaving = false;
};
