#include "events/scriptlist.h"

#include "events/scriptdocument.h"
#include "shell/appinfo.h"
#include "shell/dialogservice.h"

#include <QShortcut>

ScriptList::ScriptList(DialogService& dialogs, ScriptDocument& script,
                       std::function<bool()> inDeleteMode, QWidget* parent)
    : QListWidget(parent), mDialogs(dialogs), mScript(script),
      mInDeleteMode(std::move(inDeleteMode)) {
    setAccessibleName(QStringLiteral("Code de l'évènement"));
    connect(this, &QListWidget::itemClicked, this, &ScriptList::removeLine);
    auto* remove =
        new QShortcut(QKeySequence::Delete, this, nullptr, nullptr, Qt::WidgetShortcut);
    connect(remove, &QShortcut::activated, this, [this] { removeLine(currentItem()); });
    connect(&mScript, &ScriptDocument::linesChanged, this, &ScriptList::showLines);
    showLines();
}

QStringList ScriptList::lines() const {
    QStringList result;
    for (int i = 0; i < count(); ++i)
        result.append(item(i)->text());
    return result;
}

void ScriptList::showLines() {
    const int current = currentRow();
    const bool grew = mScript.lines().size() > count();
    clear();
    addItems(mScript.lines());
    if (grew)
        scrollToBottom();
    else if (current >= 0)
        setCurrentRow(std::min(current, count() - 1));
}

void ScriptList::removeLine(QListWidgetItem* line) {
    if (!line || !mInDeleteMode())
        return;
    const int index = row(line);
    const MsgAnswer answer = mDialogs.message(this, QStringLiteral("Êtes-vous sure ?"), AppTitle,
                                              MsgIcon::None, MsgButtons::YesNo);
    if (answer == MsgAnswer::Yes)
        mScript.removeLine(index);
}
