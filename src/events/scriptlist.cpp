#include "events/scriptlist.h"

#include "shell/appinfo.h"
#include "shell/dialogservice.h"

#include <QDir>
#include <QShortcut>

ScriptList::ScriptList(DialogService& dialogs, std::function<bool()> inDeleteMode,
                       QWidget* parent)
    : QListWidget(parent), mDialogs(dialogs), mInDeleteMode(std::move(inDeleteMode)) {
    setAccessibleName(QStringLiteral("Code de l'évènement"));
    connect(this, &QListWidget::itemClicked, this, &ScriptList::removeLine);
    auto* remove =
        new QShortcut(QKeySequence::Delete, this, nullptr, nullptr, Qt::WidgetShortcut);
    connect(remove, &QShortcut::activated, this, [this] { removeLine(currentItem()); });
}

QStringList ScriptList::lines() const {
    QStringList result;
    for (int i = 0; i < count(); ++i)
        result.append(item(i)->text());
    return result;
}

void ScriptList::setLines(const QStringList& lines) {
    clear();
    addItems(lines);
}

void ScriptList::appendLine(const QString& line) {
    addItem(line);
    scrollToBottom();
}

void ScriptList::removeLine(QListWidgetItem* line) {
    if (!line || !mInDeleteMode())
        return;
    const MsgAnswer answer = mDialogs.message(this, QStringLiteral("Êtes-vous sure ?"), AppTitle,
                                              MsgIcon::None, MsgButtons::YesNo);
    if (answer == MsgAnswer::Yes)
        delete takeItem(row(line));
}

QString scriptSaveFailure(const QString& path) {
    return QStringLiteral("Erreur : impossible d'enregistrer l'évènement dans le fichier ") +
           QDir::toNativeSeparators(path);
}
