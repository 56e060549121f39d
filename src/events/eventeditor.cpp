#include "events/eventeditor.h"

#include "events/eventcommandcolumn.h"
#include "events/scriptdocument.h"
#include "events/scriptlist.h"
#include "maps/mapfiles.h"
#include "project/projectsession.h"
#include "shell/appinfo.h"
#include "shell/asktosave.h"
#include "shell/placement.h"
#include "shell/services.h"

#include <QDir>
#include <QLabel>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QShortcut>
#include <QUndoStack>

namespace {

const QString kFirstLine = QStringLiteral("-- Evenements :");

} // namespace

EventEditor::EventEditor(AppServices& services, ProjectSession& session, QWidget* parent)
    : QWidget(parent), mServices(services), mSession(session),
      mScript(new ScriptDocument(session, this)) {
    setObjectName(QStringLiteral("eveditor"));
    setWindowTitle(QStringLiteral("Editeur d'évenement"));
    // Positions are pixels as laid out for the editor; a small font keeps captions inside.
    QFont small = font();
    small.setPixelSize(11);
    setFont(small);
    setFixedSize(697, 612);

    label(this, "Label1", QStringLiteral("Ligne :"), 8, 8, 48);
    mRow = label(this, "ln", QStringLiteral("1"), 62, 8, 40);
    mRow->setAccessibleDescription(QStringLiteral("Ligne de la case"));
    label(this, "Label2", QStringLiteral("Colonne:"), 8, 24, 52);
    mColumn = label(this, "co", QStringLiteral("1"), 62, 24, 40);
    mColumn->setAccessibleDescription(QStringLiteral("Colonne de la case"));

    mCommands = new EventCommandColumn(services, session, *mScript,
                                       EventColumnLayout::eventEditor(), this);
    connect(mCommands, &EventCommandColumn::mapChooserRefused, this,
            &EventEditor::mapChooserRefused);

    label(this, "Label3", QStringLiteral("Code :"), 304, 0, 64);
    mText1 = place(new ScriptList(services.dialogs, *mScript, [this] { return deleteMode(); }, this),
                   "text1", 304, 16, 385, 485);
    mCommands->attachList(mText1);

    auto* command8 = button(this, "Command8", QStringLiteral("Annuler"), 464, 512, 105, 25);
    auto* command7 = button(this, "Command7", QStringLiteral("OK"), 584, 512, 105, 25);
    connect(command7, &QPushButton::clicked, this, &EventEditor::accept);
    connect(command8, &QPushButton::clicked, this, &EventEditor::cancel);

    // Keyboard: Escape is "Annuler"; the script's edits undo and redo.
    const auto shortcut = [this](const QKeySequence& keys, auto slot) {
        auto* s = new QShortcut(keys, this, nullptr, nullptr, Qt::WidgetWithChildrenShortcut);
        connect(s, &QShortcut::activated, this, slot);
    };
    shortcut(QKeySequence(Qt::Key_Escape), [this] { cancel(); });
    shortcut(QKeySequence::Undo, [this] { mScript->undoStack()->undo(); });
    shortcut(QKeySequence(QStringLiteral("Ctrl+Y")), [this] { mScript->undoStack()->redo(); });
    shortcut(QKeySequence(QStringLiteral("Ctrl+Shift+Z")), [this] { mScript->undoStack()->redo(); });

    connect(mScript, &ScriptDocument::cellChanged, this, &EventEditor::showCell);
    // Until a cell is given, the window edits row 1, column 1 of map 01.
    if (session.isOpen())
        mScript->openCell(QStringLiteral("01"), 1, 1, {kFirstLine});
}

bool EventEditor::openCell(const QString& mapNumber, int row, int column) {
    const bool same = mScript->hasCell() && mScript->map() == mapNumber &&
                      mScript->row() == row && mScript->column() == column;
    if (!same && !askToSave(mServices.dialogs, this, *mScript))
        return false;
    mScript->openCell(mapNumber, row, column, {kFirstLine});
    return true;
}

bool EventEditor::deleteMode() const { return mCommands->deleteMode(); }

void EventEditor::showCell() {
    mRow->setText(QString::number(mScript->row()));
    mColumn->setText(QString::number(mScript->column()));
}

void EventEditor::mapChooserRefused() {
    const ProjectIni ini = mSession.file().read();
    if (ini.mapCount() == 0) {
        mServices.dialogs.message(
            this,
            QStringLiteral("Il n'y a pas de carte , une nouvelle carte va être automatiquement "
                           "créée"),
            AppTitle, MsgIcon::None, MsgButtons::Ok);
        const NewMap added = addNewMap(mSession.paths(), mSession.folder());
        if (!added.error.isEmpty()) {
            mServices.dialogs.message(this, added.error, AppTitle, MsgIcon::Critical,
                                      MsgButtons::Ok);
            return;
        }
        mSession.notifyMapsChanged();
        mCommands->button(0)->click();
        return;
    }
    mServices.dialogs.message(
        this,
        QStringLiteral("Erreur : le nombre de cartes de votre jeu ([Jeu] cartes dans ") +
            QDir::toNativeSeparators(mSession.file().path()) +
            QStringLiteral(") est introuvable ou incorrect , impossible de choisir une carte."),
        AppTitle, MsgIcon::Critical, MsgButtons::Ok);
}

void EventEditor::accept() {
    if (const QString error = mScript->save(); !error.isEmpty()) {
        // Nothing is lost: the window stays open with its lines.
        mServices.dialogs.message(this, error, AppTitle, MsgIcon::Critical, MsgButtons::Ok);
        return;
    }
    hideWindow();
}

void EventEditor::cancel() { hideWindow(); }

void EventEditor::hideWindow() {
    if (auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget()))
        sub->hide();
    else
        hide();
}
