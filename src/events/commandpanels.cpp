#include "events/commandpanels.h"

#include "events/eventcommands.h"
#include "project/module1.h"
#include "project/projectsession.h"
#include "shell/appinfo.h"
#include "shell/placement.h"
#include "shell/services.h"

#include <QAbstractItemView>
#include <QButtonGroup>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QVBoxLayout>

namespace {

template <typename W>
W* named(W* widget, const QString& name) {
    widget->setObjectName(name);
    return widget;
}

QRadioButton* option(const QString& caption, const QString& array, int index, QWidget* parent) {
    return indexedOption(parent, array, index, caption);
}

} // namespace

CommandPanelNames CommandPanelNames::eventEditor() {
    CommandPanelNames n;
    n.mapChooser = {"Frame2", "Label5", "Label6", "HScroll1", "Label4", "Command9"};
    n.variables = {"Frame1", "List1"};
    n.life = {"Frame3", "Option1", 0, 1, 2, "Text2", "Command10"};
    n.conditions = {"Frame5", "Label7", "Combo1", "Combo2", "Text3", "Command14"};
    return n;
}

CommandPanelNames CommandPanelNames::mapEditorPanel() {
    CommandPanelNames n;
    n.mapChooser = {"Frame9", "Label13", "Label12", "HScroll3", "Label14", "Command21"};
    n.variables = {"Frame8", "List1"};
    n.life = {"Frame10", "Option1", 5, 4, 3, "Text2", "Command22"};
    n.conditions = {"Frame7", "Label11", "Combo1", "Combo2", "Text3", "Command3"};
    return n;
}

CommandPanel::CommandPanel(const QString& title, AppServices& services, ProjectSession& session,
                           QWidget* parent)
    : QGroupBox(title, parent), mServices(services), mSession(session) {
    setAccessibleName(title);
    hide();
}

void CommandPanel::placeAt(const QRect& place) {
    setAutoFillBackground(true);
    layout()->setContentsMargins(4, 2, 4, 4);
    layout()->setSpacing(2);
    setGeometry(place);
    resize(size().expandedTo(minimumSizeHint()));
}

// ---- Map chooser

MapChooserPanel::MapChooserPanel(AppServices& services, ProjectSession& session,
                                 const CommandPanelNames::MapChooser& names, QWidget* parent)
    : CommandPanel(QStringLiteral("Charger une carte"), services, session, parent) {
    setObjectName(names.frame);
    auto* caption = named(new QLabel(QStringLiteral("Carte n° :"), this), names.caption);
    mNumber = named(new QLabel(QStringLiteral("01"), this), names.number);
    mScroll = named(new QScrollBar(Qt::Horizontal, this), names.scroll);
    mScroll->setRange(1, 1);
    mScroll->setValue(1);
    mScroll->setAccessibleName(QStringLiteral("Numéro de la carte"));
    mScroll->setFocusPolicy(Qt::StrongFocus);
    mScroll->setMinimumWidth(49);
    mName = named(new QLabel(QStringLiteral("Sans nom"), this), names.name);
    mOk = named(new QPushButton(QStringLiteral("OK"), this), names.ok);

    auto* grid = new QGridLayout(this);
    grid->addWidget(caption, 0, 0);
    grid->addWidget(mNumber, 0, 1);
    grid->addWidget(mScroll, 0, 2);
    grid->addWidget(mName, 1, 0, 1, 2);
    grid->addWidget(mOk, 1, 2);
    setMinimumSize(161, 57);

    connect(mScroll, &QScrollBar::valueChanged, this, &MapChooserPanel::showChosenMap);
    connect(mOk, &QPushButton::clicked, this, &MapChooserPanel::confirm);
}

bool MapChooserPanel::toggle(const QString& nameMap) {
    const ProjectIni ini = mSession.file().read();
    const int count = ini.mapsToVisit();
    if (count < 1) {
        hide();
        return false;
    }
    flip();
    mScroll->setMaximum(count);
    mName->setText(ini.mapName(nameMap));
    return true;
}

bool MapChooserPanel::openOn(const QString& mapText) {
    const ProjectIni ini = mSession.file().read();
    const int count = ini.mapsToVisit();
    if (count < 1) {
        hide();
        return false;
    }
    show();
    mScroll->setMaximum(count);
    const auto map = wholeNumber(mapText);
    if (map && *map >= 1 && *map <= count && mScroll->value() != *map)
        mScroll->setValue(*map); // shows its number and name
    else
        showChosenMap(mScroll->value());
    return true;
}

QString MapChooserPanel::chosenMap() const { return mNumber->text(); }

void MapChooserPanel::showChosenMap(int value) {
    const QString map = mapNumberText(value);
    const ProjectIni ini = mSession.file().read();
    // A count that went bad meanwhile keeps the range the panel had.
    if (const int count = ini.mapsToVisit(); count >= 1)
        mScroll->setMaximum(count); // may move the value: this then runs again for it
    if (mScroll->value() != value)
        return;
    mName->setText(ini.mapName(map));
    mNumber->setText(map);
}

void MapChooserPanel::confirm() {
    emit lineReady(mapChangeLine(mNumber->text()));
    hide();
}

// ---- Variables

VariablesPanel::VariablesPanel(AppServices& services, ProjectSession& session,
                               const CommandPanelNames::Variables& names, QWidget* parent)
    : CommandPanel(QStringLiteral("Variables"), services, session, parent) {
    setObjectName(names.frame);
    mList = named(new QListWidget(this), names.list);
    mList->setAccessibleName(QStringLiteral("Variables"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(mList);
    setMinimumSize(305, 137);
    connect(mList, &QListWidget::itemClicked, this, &VariablesPanel::choose);
    // Enter on the chosen entry (keyboard); a click that also activates finds the panel hidden.
    connect(mList, &QListWidget::itemActivated, this, &VariablesPanel::choose);
}

void VariablesPanel::toggle() {
    flip();
    mAnswer.clear();
    rebuild();
}

void VariablesPanel::openOn(int variable, const QString& value) {
    show();
    mAnswer = value;
    rebuild();
    mList->setCurrentRow(variable - 1);
    mList->setFocus();
}

void VariablesPanel::rebuild() {
    mList->clear();
    mList->addItems(variableEntries(mSession.file().read()));
}

void VariablesPanel::choose(QListWidgetItem* item) {
    if (!item || isHidden())
        return;
    const int variable = mList->row(item) + 1;
    const auto answer = mServices.dialogs.prompt(
        this, QStringLiteral("Taper la nouvelle valeur de la variable : "), AppTitle, mAnswer);
    emit lineReady(variableLine(variable, answer.value_or(QString())));
    hide();
}

// ---- Life

LifePanel::LifePanel(AppServices& services, ProjectSession& session,
                     const CommandPanelNames::Life& names, QWidget* parent)
    : CommandPanel(QStringLiteral("Changer la vie du héro"), services, session, parent) {
    setObjectName(names.frame);
    mRemove = option(QStringLiteral("Retirer :"), names.options, names.removeIndex, this);
    mAdd = option(QStringLiteral("Ajouter :"), names.options, names.addIndex, this);
    mReplace = option(QStringLiteral("Remplacer par :"), names.options, names.replaceIndex, this);
    auto* group = new QButtonGroup(this);
    for (QRadioButton* b : {mRemove, mAdd, mReplace})
        group->addButton(b);
    mAmount = named(new QLineEdit(QStringLiteral("0"), this), names.amount);
    mAmount->setAccessibleName(QStringLiteral("Montant"));
    auto* ok = named(new QPushButton(QStringLiteral("OK"), this), names.ok);

    auto* grid = new QGridLayout(this);
    grid->addWidget(mRemove, 0, 0);
    grid->addWidget(mAdd, 1, 0);
    grid->addWidget(mReplace, 2, 0);
    grid->addWidget(mAmount, 1, 1);
    grid->addWidget(ok, 2, 1);
    setMinimumSize(161, 73);

    connect(ok, &QPushButton::clicked, this, &LifePanel::confirm);
    connect(mAmount, &QLineEdit::returnPressed, this, &LifePanel::confirm);
}

void LifePanel::openOn(bool remove, bool add, bool replace, const QString& amount) {
    show();
    mRemove->setChecked(remove);
    mAdd->setChecked(add);
    mReplace->setChecked(replace);
    mAmount->setText(amount);
    mAmount->setFocus();
}

void LifePanel::confirm() {
    if (const auto line = lifeLine(mRemove->isChecked(), mAdd->isChecked(),
                                   mReplace->isChecked(), mAmount->text()))
        emit lineReady(*line);
    hide();
}

// ---- Conditions

ConditionsPanel::ConditionsPanel(AppServices& services, ProjectSession& session,
                                 const CommandPanelNames::Conditions& names, QWidget* parent)
    : CommandPanel(QStringLiteral("Conditions"), services, session, parent) {
    setObjectName(names.frame);
    auto* caption = named(new QLabel(QStringLiteral("Si"), this), names.caption);
    mVariables = named(new QComboBox(this), names.variables);
    mVariables->setAccessibleName(QStringLiteral("Variable"));
    mVariables->setMinimumWidth(97);
    mOperators = named(new QComboBox(this), names.operators);
    mOperators->addItems({QStringLiteral("="), QStringLiteral("!")});
    mOperators->setCurrentIndex(-1);
    mOperators->setToolTip(QStringLiteral("=  : égal | ! : différent"));
    mOperators->setAccessibleName(QStringLiteral("Opérateur"));
    mValue = named(new QLineEdit(QStringLiteral("0"), this), names.value);
    mValue->setToolTip(QStringLiteral("Taper la valeur (texte ou nombre)"));
    mValue->setAccessibleName(QStringLiteral("Valeur"));
    auto* add = named(new QPushButton(QStringLiteral("Ajouter"), this), names.add);

    auto* grid = new QGridLayout(this);
    grid->addWidget(caption, 0, 0);
    grid->addWidget(mVariables, 0, 1);
    grid->addWidget(mOperators, 0, 2);
    grid->addWidget(mValue, 0, 3);
    grid->addWidget(add, 1, 1, 1, 2, Qt::AlignHCenter);
    setMinimumSize(225, 73);

    connect(add, &QPushButton::clicked, this, &ConditionsPanel::confirm);
    connect(mValue, &QLineEdit::returnPressed, this, &ConditionsPanel::confirm);
}

void ConditionsPanel::toggle() {
    flip();
    rebuild();
    mVariables->setCurrentIndex(-1);
}

void ConditionsPanel::openOn(int variable, const QString& op, const QString& value) {
    show();
    rebuild();
    mVariables->setCurrentIndex(variable - 1 < mVariables->count() ? variable - 1 : -1);
    mOperators->setCurrentIndex(mOperators->findText(op));
    mValue->setText(value);
    mValue->setFocus();
}

void ConditionsPanel::rebuild() {
    mVariables->clear();
    mVariables->addItems(conditionEntries(mSession.file().read()));
    // The entries are longer than the field: the open list shows them whole.
    mVariables->view()->setMinimumWidth(mVariables->view()->sizeHintForColumn(0) + 24);
}

void ConditionsPanel::confirm() {
    const int variable = mVariables->currentIndex() + 1; // 0: none chosen
    if (const auto line = conditionLine(variable, mOperators->currentText(), mValue->text())) {
        emit lineReady(*line);
        hide();
    }
}

// ---- Prompt commands

namespace promptcommands {

QString textLine(DialogService& dialogs, QWidget* parent) {
    const auto answer = dialogs.prompt(parent, QStringLiteral("Taper le texte :"), AppTitle);
    return ::textLine(answer.value_or(QString()));
}

std::optional<QString> pauseLine(DialogService& dialogs, QWidget* parent) {
    const auto answer = dialogs.prompt(parent, QStringLiteral("Tapez le temps en frame"), AppTitle);
    const auto line = ::pauseLine(answer.value_or(QString()));
    if (!line)
        dialogs.message(parent, kPauseError, AppTitle, MsgIcon::Critical, MsgButtons::Ok);
    return line;
}

std::optional<QString> changedTextLine(DialogService& dialogs, QWidget* parent,
                                       const QString& text) {
    const auto answer =
        dialogs.prompt(parent, QStringLiteral("Taper le texte :"), AppTitle, text);
    if (!answer)
        return std::nullopt;
    return ::textLine(*answer);
}

std::optional<QString> changedPauseLine(DialogService& dialogs, QWidget* parent, int frames) {
    const auto answer = dialogs.prompt(parent, QStringLiteral("Tapez le temps en frame"),
                                       AppTitle, QString::number(frames));
    if (!answer)
        return std::nullopt;
    const auto line = ::pauseLine(*answer);
    if (!line)
        dialogs.message(parent, kPauseError, AppTitle, MsgIcon::Critical, MsgButtons::Ok);
    return line;
}

} // namespace promptcommands
