#include "vareditor.h"

#include "project/module1.h"
#include "project/paths.h"
#include "shell/appinfo.h"
#include "shell/services.h"
#include "variables/variables.h"

#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

namespace {
const QString kPrompt = QStringLiteral("Taper la valeur de départ de la variable");
} // namespace

VarEditor::VarEditor(AppServices& services, std::function<QString()> currentProject,
                     QWidget* parent)
    : QWidget(parent), mServices(services), mCurrentProject(std::move(currentProject)) {
    setObjectName(QStringLiteral("var"));
    setWindowTitle(QStringLiteral("Variables du jeu"));

    auto* caption = new QLabel(QStringLiteral("Nombre de variables :"), this);
    caption->setObjectName(QStringLiteral("Label1"));
    mCount = new QLabel(QStringLiteral("0"), this);
    mCount->setAccessibleDescription(QStringLiteral("Nombre de variables"));
    mCount->setObjectName(QStringLiteral("Label2"));
    mAdd = new QPushButton(QStringLiteral("Ajouter une variable"), this);
    mAdd->setObjectName(QStringLiteral("Command1"));
    auto* listCaption = new QLabel(QStringLiteral("Variables :"), this);
    listCaption->setObjectName(QStringLiteral("Label3"));
    mList = new QListWidget(this);
    mList->setObjectName(QStringLiteral("List1"));
    mList->setAccessibleName(QStringLiteral("Variables"));
    listCaption->setBuddy(mList);

    auto* grid = new QGridLayout(this);
    grid->addWidget(caption, 0, 0);
    grid->addWidget(mCount, 0, 1);
    grid->setColumnStretch(2, 1);
    grid->addWidget(mAdd, 0, 3);
    grid->addWidget(listCaption, 1, 0, 1, 4);
    grid->addWidget(mList, 2, 0, 1, 4);
    resize(420, 300);

    connect(mAdd, &QPushButton::clicked, this, &VarEditor::addVariable);
    connect(mList, &QListWidget::itemClicked, this, &VarEditor::changeValue);
}

QString VarEditor::iniPath() const { return projectIni(mServices.appDir, mCurrentProject()); }

void VarEditor::showError(const QString& description) {
    mServices.dialogs.message(this, QStringLiteral("Erreur : ") + description, AppTitle,
                              MsgIcon::None, MsgButtons::Ok);
}

void VarEditor::loadvars() {
    const VariableListing listing = listVariables(iniPath());
    mList->clear();
    mCount->setText(listing.count);
    mList->addItems(listing.lines);
    if (!listing.error.isEmpty())
        showError(listing.error);
}

void VarEditor::addVariable() {
    // A project without the count starts at none; any other text that is not a number stops
    // here, before anything is asked or written.
    const QString count = mCount->text().isEmpty() ? QStringLiteral("0") : mCount->text();
    if (!wholeNumber(count)) {
        showError(QStringLiteral("le nombre de variables « %1 » n'est pas un nombre").arg(count));
        return;
    }
    // Ask first: a cancelled prompt adds nothing.
    const auto answer = mServices.dialogs.prompt(this, kPrompt, AppTitle);
    if (!answer)
        return;
    if (const auto failure = ::addVariable(iniPath(), count, *answer)) {
        showError(*failure);
        loadvars();
        return;
    }
    loadvars();
}

void VarEditor::changeValue(QListWidgetItem* item) {
    const int n = mList->row(item) + 1;
    const auto answer = mServices.dialogs.prompt(this, kPrompt, AppTitle);
    if (!answer)
        return;
    if (const auto failure = setStartValue(iniPath(), n, *answer))
        showError(*failure);
    loadvars();
}
