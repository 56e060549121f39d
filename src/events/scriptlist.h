#pragma once

#include <QListWidget>
#include <QStringList>

#include <functional>

class DialogService;
class ScriptDocument;

// The lines of an event script as both editors show them: one entry per line of the script
// document. While the hosting window is in delete mode, a click on a line, or the Delete key on
// the current one, removes it after "Êtes-vous sure ?".
class ScriptList : public QListWidget {
    Q_OBJECT
public:
    ScriptList(DialogService& dialogs, ScriptDocument& script, std::function<bool()> inDeleteMode,
               QWidget* parent);

    QStringList lines() const;

private:
    void showLines();
    void removeLine(QListWidgetItem* item);

    DialogService& mDialogs;
    ScriptDocument& mScript;
    std::function<bool()> mInDeleteMode;
};
