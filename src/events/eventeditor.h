#pragma once

#include <QWidget>

struct AppServices;
class EventCommandColumn;
class ProjectSession;
class QLabel;
class ScriptDocument;
class ScriptList;

// The event editor window `eveditor`: edits the script of one map cell with every event
// command. The window is made once and then only hidden and shown, so its script, sub-panels
// and delete mode survive from one showing to the next. "OK" writes the script into the cell's
// file and hides the window; "Annuler" hides it and keeps the lines, unsaved, for the next
// showing.
class EventEditor : public QWidget {
    Q_OBJECT
public:
    EventEditor(AppServices& services, ProjectSession& session, QWidget* parent = nullptr);

    // Edits the cell in row, column of map mapNumber: its saved lines, or the single line
    // "-- Evenements :" when the cell has no script file yet. Unsaved lines of another cell
    // are asked about first; false when the user keeps them ("Annuler"), the window then
    // showing them still. Does not show the window.
    bool openCell(const QString& mapNumber, int row, int column);

    ScriptDocument& script() const { return *mScript; }
    bool deleteMode() const;

public slots:
    void accept(); // "OK"
    void cancel(); // "Annuler"

private:
    void showCell();
    void mapChooserRefused();
    void hideWindow();

    AppServices& mServices;
    ProjectSession& mSession;
    ScriptDocument* mScript;
    QLabel* mRow;
    QLabel* mColumn;
    ScriptList* mText1;
    EventCommandColumn* mCommands;
};
