#pragma once

#include <QListWidget>
#include <QStringList>

#include <functional>

class DialogService;
class ScriptDocument;

// The lines of an event script as both editors show them: one entry per line of the script
// document, the lines inside a condition shown indented (the lines themselves keep no
// indentation). While the hosting window is in delete mode, a click on a line, or the Delete
// key on the current one, removes it after "Êtes-vous sure ?". Otherwise a double click or
// Enter on a line asks to change it.
class ScriptList : public QListWidget {
    Q_OBJECT
public:
    ScriptList(DialogService& dialogs, ScriptDocument& script, std::function<bool()> inDeleteMode,
               QWidget* parent);

    QStringList lines() const;
    // Moves the current line one place up (-1) or down (+1); it stays the current line.
    void moveCurrentLine(int step);

signals:
    // The user asks to change the line at this place.
    void editRequested(int index);

private:
    void showLines();
    void removeLine(QListWidgetItem* item);
    void requestEdit(QListWidgetItem* item);

    DialogService& mDialogs;
    ScriptDocument& mScript;
    std::function<bool()> mInDeleteMode;
};
