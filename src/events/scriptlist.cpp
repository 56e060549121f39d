#include "events/scriptlist.h"

#include "events/eventcommands.h"
#include "events/scriptdocument.h"
#include "shell/appinfo.h"
#include "shell/dialogservice.h"

#include <QShortcut>
#include <QStyledItemDelegate>

namespace {

constexpr int kDepthRole = Qt::UserRole + 1;

// Shows each line after blanks for its depth, leaving the item's text as the line is.
class IndentDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override {
        QStyledItemDelegate::initStyleOption(option, index);
        const int depth = index.data(kDepthRole).toInt();
        if (depth > 0)
            option->text = QString(4 * depth, u' ') + option->text;
    }
};

} // namespace

ScriptList::ScriptList(DialogService& dialogs, ScriptDocument& script,
                       std::function<bool()> inDeleteMode, QWidget* parent)
    : QListWidget(parent), mDialogs(dialogs), mScript(script),
      mInDeleteMode(std::move(inDeleteMode)) {
    setAccessibleName(QStringLiteral("Code de l'évènement"));
    setToolTip(QStringLiteral("Double-clic, Entrée ou F2 : modifier la ligne ; Alt+Haut, Alt+Bas : "
                              "la déplacer"));
    setItemDelegate(new IndentDelegate(this));
    connect(this, &QListWidget::itemClicked, this, &ScriptList::removeLine);
    connect(this, &QListWidget::itemDoubleClicked, this, &ScriptList::requestEdit);
    auto* remove =
        new QShortcut(QKeySequence::Delete, this, nullptr, nullptr, Qt::WidgetShortcut);
    connect(remove, &QShortcut::activated, this, [this] { removeLine(currentItem()); });
    for (const QKeySequence& keys : {QKeySequence(Qt::Key_Return), QKeySequence(Qt::Key_Enter)}) {
        auto* edit = new QShortcut(keys, this, nullptr, nullptr, Qt::WidgetShortcut);
        connect(edit, &QShortcut::activated, this, [this] { requestEdit(currentItem()); });
    }
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
    const QList<int> depths = indentLevels(mScript.lines());
    for (int i = 0; i < count(); ++i)
        item(i)->setData(kDepthRole, depths[i]);
    if (grew)
        scrollToBottom();
    else if (current >= 0)
        setCurrentRow(std::min(current, count() - 1));
}

void ScriptList::moveCurrentLine(int step) {
    const int from = currentRow();
    const int to = from + step;
    if (from < 0 || to < 0 || to >= count())
        return;
    mScript.moveLine(from, to);
    setCurrentRow(to);
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

void ScriptList::requestEdit(QListWidgetItem* line) {
    if (line && !mInDeleteMode())
        emit editRequested(row(line));
}
