#include "events/eventcommandcolumn.h"

#include "events/eventcommands.h"
#include "events/scriptdocument.h"
#include "events/scriptlist.h"
#include "shell/placement.h"
#include "shell/services.h"

#include <QAction>
#include <QGroupBox>
#include <QPushButton>
#include <QStyle>
#include <QToolButton>

namespace {

const QString kCaptions[9] = {
    QStringLiteral("Changer de carte"),  QStringLiteral("Changer une variable"),
    QStringLiteral("Changer la vie du héro"), QStringLiteral("Démarrer un combat"),
    QStringLiteral("Faire une pause"),   QStringLiteral("Afficher du texte"),
    QStringLiteral("Faire une condition"), QStringLiteral("Fermer condition"),
    QStringLiteral("Supprimer une ligne")};

enum Command { MapChange, Variable, Life, Combat, Pause, Text, Condition, CloseCondition, Delete };

} // namespace

EventColumnLayout EventColumnLayout::eventEditor() {
    EventColumnLayout l;
    l.origin = {16, 56};
    l.width = 119;
    l.buttons = {{{"Command1", 0}, {"Command3", 24}, {"Command2", 48}, {"Command4", 72},
                  {"Command6", 96}, {"Command5", 120}, {"Command13", 144}, {"Command15", 168},
                  {"Command11", 216}}};
    l.panelNames = CommandPanelNames::eventEditor();
    l.mapChooser = {136, 24, 161, 57};
    l.variables = {136, 80, 305, 137};
    l.life = {136, 104, 161, 73};
    l.conditions = {136, 248, 225, 73};
    // Laid out off to the right and brought to the left edge: when shown it covers the lower
    // command buttons and leaves the list free.
    l.deleteFrame = "Frame4";
    l.deleteCancel = "Command12";
    l.deletePlace = {0, 104, 297, 505};
    // Under the list, left of "Annuler" and "OK".
    l.lineUp = {304, 512, 26, 25};
    l.lineDown = {332, 512, 26, 25};
    return l;
}

EventColumnLayout EventColumnLayout::mapEditorPanel() {
    EventColumnLayout l;
    l.origin = {8, 40};
    l.width = 121;
    l.buttons = {{{"Command19", 0}, {"Command18", 24}, {"Command17", 48}, {"Command16", 72},
                  {"Command12", 96}, {"Command8", 120}, {"Command13", 144}, {"Command15", 168},
                  {"Command20", 200}}};
    l.panelNames = CommandPanelNames::mapEditorPanel();
    l.mapChooser = {136, 40, 161, 57};
    l.variables = {136, 64, 225, 137}; // kept clear of the list
    l.life = {136, 88, 161, 73};
    l.conditions = {136, 184, 225, 73};
    // Beside "Supprimer une ligne" while a click on a line removes it.
    l.deleteFrame = "Frame11";
    l.deleteCancel = "Command23";
    l.deletePlace = {136, 226, 161, 45};
    // Under the list, left of "Sauver".
    l.lineUp = {368, 252, 26, 25};
    l.lineDown = {396, 252, 26, 25};
    l.onePanelAtATime = true;
    return l;
}

EventCommandColumn::EventCommandColumn(AppServices& services, ProjectSession& session,
                                       ScriptDocument& script, const EventColumnLayout& layout,
                                       QWidget* host)
    : QWidget(host), mServices(services), mScript(script),
      mOneAtATime(layout.onePanelAtATime), mNameMap([] { return QStringLiteral("01"); }) {
    setObjectName(QStringLiteral("eventCommands"));
    const int height = layout.buttons.back().y + 23;
    setGeometry(QRect(layout.origin, QSize(layout.width, height)));
    // The column is narrow: its longest captions need a slightly smaller font.
    QFont small = font();
    small.setPixelSize(10);
    for (int i = 0; i < 9; ++i) {
        mButtons[size_t(i)] = ::button(this, layout.buttons[size_t(i)].name, kCaptions[i], 0,
                                       layout.buttons[size_t(i)].y, layout.width, 23);
        mButtons[size_t(i)]->setFont(small);
    }

    // Sub-panels between the column and the list; the one opened last is on top.
    mMapChooser = new MapChooserPanel(services, session, layout.panelNames.mapChooser, host);
    mMapChooser->placeAt(layout.mapChooser);
    mVariables = new VariablesPanel(services, session, layout.panelNames.variables, host);
    mVariables->placeAt(layout.variables);
    mLife = new LifePanel(services, session, layout.panelNames.life, host);
    mLife->placeAt(layout.life);
    mConditions = new ConditionsPanel(services, session, layout.panelNames.conditions, host);
    mConditions->placeAt(layout.conditions);
    for (CommandPanel* panel :
         std::initializer_list<CommandPanel*>{mMapChooser, mVariables, mLife, mConditions})
        connect(panel, &CommandPanel::lineReady, this, &EventCommandColumn::deliver);

    mDeleteFrame = frame(host, layout.deleteFrame, QStringLiteral("Choisir une ligne"),
                         layout.deletePlace.x(), layout.deletePlace.y(),
                         layout.deletePlace.width(), layout.deletePlace.height());
    mDeleteFrame->setAutoFillBackground(true);
    auto* leave = ::button(mDeleteFrame, layout.deleteCancel, QStringLiteral("Annuler"), 8, 16,
                           97, 23);
    mDeleteFrame->hide();

    connect(mButtons[MapChange], &QPushButton::clicked, this, [this] {
        emit used();
        const bool opened = mMapChooser->toggle(mNameMap());
        if (!opened) {
            emit mapChooserRefused();
            return;
        }
        toggle(mMapChooser, [] {});
    });
    connect(mButtons[Variable], &QPushButton::clicked, this,
            [this] { toggle(mVariables, [this] { mVariables->toggle(); }); });
    connect(mButtons[Life], &QPushButton::clicked, this,
            [this] { toggle(mLife, [this] { mLife->toggle(); }); });
    // "Démarrer un combat" has no action: fights are not part of the games made here yet.
    connect(mButtons[Pause], &QPushButton::clicked, this, [this] {
        emit used();
        if (const auto line = promptcommands::pauseLine(mServices.dialogs, this))
            append(*line);
    });
    connect(mButtons[Text], &QPushButton::clicked, this, [this] {
        emit used();
        append(promptcommands::textLine(mServices.dialogs, this));
    });
    connect(mButtons[Condition], &QPushButton::clicked, this,
            [this] { toggle(mConditions, [this] { mConditions->toggle(); }); });
    connect(mButtons[CloseCondition], &QPushButton::clicked, this, [this] {
        emit used();
        append(closeConditionLine());
    });
    connect(mButtons[Delete], &QPushButton::clicked, this, [this] {
        emit used();
        mDeleteFrame->show();
        mDeleteFrame->raise();
    });
    connect(leave, &QPushButton::clicked, mDeleteFrame, &QWidget::hide);

    // Moving lines: the keys act anywhere in the host, the buttons sit under the list.
    const auto lineAction = [this, host](const QString& text, const char* keys, int step) {
        auto* action = new QAction(text, host);
        action->setShortcut(QKeySequence(QLatin1String(keys)));
        action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        host->addAction(action);
        connect(action, &QAction::triggered, this, [this, step] { moveLine(step); });
        return action;
    };
    mLineUp = lineAction(QStringLiteral("Monter la ligne"), "Alt+Up", -1);
    mLineUp->setIcon(style()->standardIcon(QStyle::SP_ArrowUp));
    mLineUp->setToolTip(QStringLiteral("Monter la ligne choisie (Alt+Haut)"));
    mLineDown = lineAction(QStringLiteral("Descendre la ligne"), "Alt+Down", 1);
    mLineDown->setIcon(style()->standardIcon(QStyle::SP_ArrowDown));
    mLineDown->setToolTip(QStringLiteral("Descendre la ligne choisie (Alt+Bas)"));
    mEditLine = new QAction(QStringLiteral("Modifier la ligne"), host);
    mEditLine->setShortcut(QKeySequence(Qt::Key_F2));
    mEditLine->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    host->addAction(mEditLine);
    connect(mEditLine, &QAction::triggered, this, [this] {
        if (mList)
            editLine(mList->currentRow());
    });
    moveButton(mLineUp, "lineUp", layout.lineUp, host);
    moveButton(mLineDown, "lineDown", layout.lineDown, host);

    // A command button pressed starts a new line: a change begun before is dropped.
    for (QPushButton* b : mButtons)
        connect(b, &QPushButton::pressed, this, [this] { mChange.reset(); });
}

QToolButton* EventCommandColumn::moveButton(QAction* action, const char* name,
                                            const QRect& place, QWidget* host) {
    auto* button = new QToolButton(host);
    button->setDefaultAction(action);
    button->setObjectName(QLatin1String(name));
    button->setAccessibleName(action->text());
    button->setGeometry(place);
    return button;
}

void EventCommandColumn::attachList(ScriptList* list) {
    mList = list;
    connect(list, &ScriptList::editRequested, this, &EventCommandColumn::editLine);
}

void EventCommandColumn::moveLine(int step) {
    if (!mList)
        return;
    emit used();
    mList->moveCurrentLine(step);
}

bool EventCommandColumn::editLine(int index) {
    const QString line = mScript.lines().value(index);
    const auto command = commandOfLine(line);
    if (!command || command->kind == CommandLine::CloseCondition)
        return false;
    emit used();
    mChange.reset();
    leaveDeleteMode();
    switch (command->kind) {
    case CommandLine::Text:
        if (const auto changed =
                promptcommands::changedTextLine(mServices.dialogs, this, command->value))
            mScript.replaceLine(index, *changed);
        return true;
    case CommandLine::Pause:
        if (const auto changed =
                promptcommands::changedPauseLine(mServices.dialogs, this, command->frames))
            mScript.replaceLine(index, *changed);
        return true;
    case CommandLine::MapChange:
        if (!mMapChooser->openOn(command->map)) {
            emit mapChooserRefused();
            return true;
        }
        showOnly(mMapChooser);
        break;
    case CommandLine::Variable:
        mVariables->openOn(command->variable, command->value);
        showOnly(mVariables);
        break;
    case CommandLine::Life:
        mLife->openOn(command->life == CommandLine::Remove, command->life == CommandLine::Add,
                      command->life == CommandLine::Replace, command->value);
        showOnly(mLife);
        break;
    case CommandLine::Condition:
        mConditions->openOn(command->variable, command->op, command->value);
        showOnly(mConditions);
        break;
    case CommandLine::CloseCondition:
        break;
    }
    mChange = Change{index, line};
    return true;
}

void EventCommandColumn::showOnly(CommandPanel* panel) {
    for (CommandPanel* other :
         std::initializer_list<CommandPanel*>{mMapChooser, mVariables, mLife, mConditions})
        if (other != panel)
            other->hide();
    panel->raise();
}

void EventCommandColumn::deliver(const QString& line) {
    const std::optional<Change> change = std::exchange(mChange, std::nullopt);
    if (change && mScript.lines().value(change->index) == change->line &&
        change->index < mScript.lines().size())
        mScript.replaceLine(change->index, line);
    else
        mScript.appendLine(line);
}

bool EventCommandColumn::deleteMode() const { return !mDeleteFrame->isHidden(); }

void EventCommandColumn::leaveDeleteMode() { mDeleteFrame->hide(); }

void EventCommandColumn::toggle(CommandPanel* panel, const std::function<void()>& flip) {
    emit used();
    flip();
    if (panel->isHidden())
        return;
    if (mOneAtATime)
        for (CommandPanel* other : std::initializer_list<CommandPanel*>{mMapChooser, mVariables,
                                                                       mLife, mConditions})
            if (other != panel)
                other->hide();
    panel->raise();
}

void EventCommandColumn::append(const QString& line) {
    mChange.reset();
    mScript.appendLine(line);
}
