#include "variables/variableswindow.h"

#include "project/module1.h"
#include "project/projectsession.h"
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

VariablesWindow::VariablesWindow(AppServices& services, ProjectSession& session, QWidget* parent)
    : QWidget(parent), mServices(services), mSession(session) {
    setObjectName(QStringLiteral("var"));
    setWindowTitle(QStringLiteral("Variables du jeu"));

    auto* caption = new QLabel(QStringLiteral("Nombre de variables :"), this);
    caption->setObjectName(QStringLiteral("Label1"));
    mCount = new QLabel(QStringLiteral("0"), this);
    mCount->setObjectName(QStringLiteral("Label2"));
    mCount->setAccessibleDescription(QStringLiteral("Nombre de variables"));
    mAdd = new QPushButton(QStringLiteral("Ajouter une variable"), this);
    mAdd->setObjectName(QStringLiteral("Command1"));
    auto* listCaption = new QLabel(QStringLiteral("Variables :"), this);
    listCaption->setObjectName(QStringLiteral("Label3"));
    mList = new QListWidget(this);
    mList->setObjectName(QStringLiteral("List1"));
    mList->setAccessibleName(QStringLiteral("Variables"));
    mList->setUniformItemSizes(true); // thousands of lines stay quick to show
    listCaption->setBuddy(mList);

    auto* grid = new QGridLayout(this);
    grid->addWidget(caption, 0, 0);
    grid->addWidget(mCount, 0, 1);
    grid->setColumnStretch(2, 1);
    grid->addWidget(mAdd, 0, 3);
    grid->addWidget(listCaption, 1, 0, 1, 4);
    grid->addWidget(mList, 2, 0, 1, 4);
    resize(420, 300);

    connect(mAdd, &QPushButton::clicked, this, &VariablesWindow::addVariable);
    connect(mList, &QListWidget::itemClicked, this, &VariablesWindow::changeValue);
}

void VariablesWindow::showError(const QString& description) {
    mServices.dialogs.message(this, QStringLiteral("Erreur : ") + description, AppTitle,
                              MsgIcon::None, MsgButtons::Ok);
}

void VariablesWindow::loadvars() {
    const VariableListing listing = listVariables(mSession.file());
    mList->clear();
    mCount->setText(listing.count);
    mList->addItems(listing.lines);
    if (!listing.error.isEmpty())
        showError(listing.error);
}

void VariablesWindow::addVariable() {
    // The count is the file's: a project without it starts at none; a count that is no number
    // or already the most a project holds stops here, before anything is asked or written.
    QString count = mSession.file().read().variableCountText();
    if (count.isEmpty())
        count = QStringLiteral("0");
    if (const auto refused = cannotAddAfter(count)) {
        showError(*refused);
        return;
    }
    // Ask first: a cancelled prompt adds nothing.
    const auto answer = mServices.dialogs.prompt(this, kPrompt, AppTitle);
    if (!answer)
        return;
    if (const auto failure = ::addVariable(mSession.file(), count, *answer))
        showError(*failure);
    loadvars();
    mSession.notifyVariablesChanged();
}

void VariablesWindow::changeValue(QListWidgetItem* item) {
    const int n = mList->row(item) + 1;
    const auto answer = mServices.dialogs.prompt(this, kPrompt, AppTitle);
    if (!answer)
        return;
    if (const auto failure = setStartValue(mSession.file(), n, *answer))
        showError(*failure);
    loadvars();
    mSession.notifyVariablesChanged();
}
