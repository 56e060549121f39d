#include "events/eveditor.h"

#include "events/commandpanels.h"
#include "events/eventcommands.h"
#include "events/eventscript.h"
#include "events/scriptlist.h"
#include "maps/mapfiles.h"
#include "project/module1.h"
#include "project/paths.h"
#include "shell/appinfo.h"
#include "shell/placement.h"
#include "shell/services.h"

#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QLayout>
#include <QLabel>
#include <QListWidget>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QShortcut>

namespace {

const QString kFirstLine = QStringLiteral("-- Evenements :");

} // namespace

EventEditor::EventEditor(AppServices& services, std::function<QString()> currentProject,
                         QWidget* parent)
    : QWidget(parent), mServices(services), mCurrentProject(std::move(currentProject)) {
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

    auto* command1 = button(this, "Command1", QStringLiteral("Changer de carte"), 16, 56);
    auto* command3 = button(this, "Command3", QStringLiteral("Changer une variable"), 16, 80);
    auto* command2 = button(this, "Command2", QStringLiteral("Changer la vie du héro"), 16, 104);
    // "Démarrer un combat" has no action: fights are not part of the games made here yet.
    auto* command4 = button(this, "Command4", QStringLiteral("Démarrer un combat"), 16, 128);
    auto* command6 = button(this, "Command6", QStringLiteral("Faire une pause"), 16, 152);
    auto* command5 = button(this, "Command5", QStringLiteral("Afficher du texte"), 16, 176);
    auto* command13 = button(this, "Command13", QStringLiteral("Faire une condition"), 16, 200);
    auto* command15 = button(this, "Command15", QStringLiteral("Fermer condition"), 16, 224);
    auto* command11 = button(this, "Command11", QStringLiteral("Supprimer une ligne"), 16, 272);

    // The column is 120 pixels wide: its longest captions need a slightly smaller font.
    QFont column = small;
    column.setPixelSize(10);
    for (QPushButton* b : {command1, command3, command2, command4, command6, command5, command13,
                           command15, command11})
        b->setFont(column);

    label(this, "Label3", QStringLiteral("Code :"), 304, 0, 64);
    mText1 = place(new ScriptList(services.dialogs, [this] { return deleteMode(); }, this),
                   "text1", 304, 16, 385, 485);
    mText1->addItem(kFirstLine);

    auto* command8 = button(this, "Command8", QStringLiteral("Annuler"), 464, 512, 105, 25);
    auto* command7 = button(this, "Command7", QStringLiteral("OK"), 584, 512, 105, 25);

    // Sub-panels between the button column and the list; they may overlap, the one opened
    // last is on top.
    const CommandPanelNames names = CommandPanelNames::eventEditor();
    mMapChooser = new MapChooserPanel(services, mCurrentProject, names.mapChooser, this);
    mMapChooser->placeAt({136, 24, 161, 57});
    mVariables = new VariablesPanel(services, mCurrentProject, names.variables, this);
    mVariables->placeAt({136, 80, 305, 137});
    mLife = new LifePanel(services, mCurrentProject, names.life, this);
    mLife->placeAt({136, 104, 161, 73});
    mConditions = new ConditionsPanel(services, mCurrentProject, names.conditions, this);
    mConditions->placeAt({136, 248, 225, 73});
    for (CommandPanel* panel :
         std::initializer_list<CommandPanel*>{mMapChooser, mVariables, mLife, mConditions})
        connect(panel, &CommandPanel::lineReady, mText1, &ScriptList::appendLine);

    // Delete mode: this frame covers the lower command buttons and leaves the list free. It is
    // laid out off to the right and brought to the left edge once the window exists.
    mFrame4 = frame(this, "Frame4", QStringLiteral("Choisir une ligne"), 720, 104,
                    297, 505);
    mFrame4->setAutoFillBackground(true);
    auto* command12 = button(mFrame4, "Command12", QStringLiteral("Annuler"), 8, 16, 97, 25);
    mFrame4->hide();
    mFrame4->move(0, mFrame4->y());

    connect(command1, &QPushButton::clicked, this, &EventEditor::toggleMapChooser);
    connect(command3, &QPushButton::clicked, this, [this] {
        mVariables->toggle();
        mVariables->raise();
    });
    connect(command2, &QPushButton::clicked, this, [this] {
        mLife->toggle();
        mLife->raise();
    });
    connect(command13, &QPushButton::clicked, this, [this] {
        mConditions->toggle();
        mConditions->raise();
    });
    connect(command15, &QPushButton::clicked, this,
            [this] { mText1->appendLine(closeConditionLine()); });
    connect(command6, &QPushButton::clicked, this, [this] {
        if (const auto line = promptcommands::pauseLine(mServices.dialogs, this))
            mText1->appendLine(*line);
    });
    connect(command5, &QPushButton::clicked, this,
            [this] { mText1->appendLine(promptcommands::textLine(mServices.dialogs, this)); });
    connect(command11, &QPushButton::clicked, this, [this] {
        mFrame4->show();
        mFrame4->raise();
    });
    connect(command12, &QPushButton::clicked, mFrame4, &QWidget::hide);
    connect(command7, &QPushButton::clicked, this, &EventEditor::accept);
    connect(command8, &QPushButton::clicked, this, &EventEditor::cancel);

    // Keyboard: Escape is "Annuler".
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this, nullptr, nullptr,
                                 Qt::WidgetWithChildrenShortcut);
    connect(escape, &QShortcut::activated, this, &EventEditor::cancel);
}

void EventEditor::openCell(const QString& mapNumber, int row, int column) {
    mMap = mapNumber;
    mRow->setText(QString::number(row));
    mColumn->setText(QString::number(column));
    const QString path = scriptPath();
    mText1->setLines(QFileInfo::exists(resolvePath(path)) ? loadevent(path)
                                                          : QStringList{kFirstLine});
}

QStringList EventEditor::lines() const { return mText1->lines(); }

bool EventEditor::deleteMode() const { return !mFrame4->isHidden(); }

QString EventEditor::scriptPath() const {
    return eventScriptPath(mServices.appDir, mCurrentProject(), mMap, mRow->text(),
                           mColumn->text());
}

void EventEditor::toggleMapChooser() {
    const bool opening = mMapChooser->isHidden();
    if (mMapChooser->toggle(QStringLiteral("01"))) {
        mMapChooser->raise();
        return;
    }
    // The chooser refused: the map count is no whole number above 0.
    const QString appDir = mServices.appDir;
    const QString project = mCurrentProject();
    const auto count = MapChooserPanel::mapCount(appDir, project);
    if (count == 0) {
        mServices.dialogs.message(
            this,
            QStringLiteral("Il n'y a pas de carte , une nouvelle carte va être automatiquement "
                           "créée"),
            AppTitle, MsgIcon::None, MsgButtons::Ok);
        const NewMap added = addNewMap(appDir, projectFolder(appDir, project));
        if (!added.error.isEmpty()) {
            mServices.dialogs.message(this, added.error, AppTitle, MsgIcon::Critical,
                                      MsgButtons::Ok);
            return;
        }
        if (opening && mMapChooser->toggle(QStringLiteral("01")))
            mMapChooser->raise();
        return;
    }
    mServices.dialogs.message(
        this,
        QStringLiteral("Erreur : le nombre de cartes de votre jeu ([Jeu] cartes dans ") +
            QDir::toNativeSeparators(projectIni(appDir, project)) +
            QStringLiteral(") est introuvable ou incorrect , impossible de choisir une carte."),
        AppTitle, MsgIcon::Critical, MsgButtons::Ok);
}

void EventEditor::accept() {
    const QString path = scriptPath();
    if (!saveevent(lines(), path)) {
        // Nothing is lost: the window stays open with its lines.
        mServices.dialogs.message(this, scriptSaveFailure(path), AppTitle, MsgIcon::Critical,
                                  MsgButtons::Ok);
        return;
    }
    hideWindow();
    emit scriptSaved(mMap, mRow->text().toInt(), mColumn->text().toInt());
}

void EventEditor::cancel() { hideWindow(); }

void EventEditor::hideWindow() {
    if (auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget()))
        sub->hide();
    else
        hide();
}
