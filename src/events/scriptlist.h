#pragma once

#include <QListWidget>
#include <QStringList>

#include <functional>

class DialogService;

// The lines of an event script as both editors show them: one entry per line, new lines at
// the end. While the hosting window is in delete mode, a click on a line, or the Delete key
// on the current one, removes it after "Êtes-vous sure ?".
class ScriptList : public QListWidget {
    Q_OBJECT
public:
    ScriptList(DialogService& dialogs, std::function<bool()> inDeleteMode, QWidget* parent);

    QStringList lines() const;
    void setLines(const QStringList& lines);
    void appendLine(const QString& line);

private:
    void removeLine(QListWidgetItem* item);

    DialogService& mDialogs;
    std::function<bool()> mInDeleteMode;
};

// Message of a script file that could not be written.
QString scriptSaveFailure(const QString& path);
