#include "shell/newprojectwindow.h"

#include "project/creation.h"
#include "project/projectsession.h"
#include "shell/appinfo.h"
#include "shell/services.h"

#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

NewProjectWindow::NewProjectWindow(AppServices& services, const ProjectSession& session,
                                   QWidget* parent)
    : QWidget(parent), mServices(services), mSession(session) {
    setObjectName(QStringLiteral("nouvprojet"));
    setWindowTitle(QStringLiteral("Créer un projet..."));

    auto* label1 = new QLabel(QStringLiteral("Taper le nom du projet :"), this);
    label1->setObjectName(QStringLiteral("Label1"));
    mName = new QLineEdit(QStringLiteral("Jeu sans nom"), this);
    mName->setObjectName(QStringLiteral("text1"));
    label1->setBuddy(mName);
    auto* label2 = new QLabel(QStringLiteral("Taper le nom de l'auteur :"), this);
    label2->setObjectName(QStringLiteral("Label2"));
    mAuthor = new QLineEdit(QStringLiteral("Anonyme"), this);
    mAuthor->setObjectName(QStringLiteral("Text2"));
    label2->setBuddy(mAuthor);
    auto* command1 = new QPushButton(QStringLiteral("C'est partie !"), this);
    command1->setObjectName(QStringLiteral("Command1"));
    command1->setDefault(true);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label1);
    layout->addWidget(mName);
    layout->addWidget(label2);
    layout->addWidget(mAuthor);
    layout->addWidget(command1, 0, Qt::AlignRight);
    setMinimumWidth(280);

    connect(command1, &QPushButton::clicked, this, &NewProjectWindow::create);
    connect(mName, &QLineEdit::returnPressed, command1, &QPushButton::click);
    connect(mAuthor, &QLineEdit::returnPressed, command1, &QPushButton::click);
}

void NewProjectWindow::create() {
    if (!mMayReplace())
        return;
    const QString name = mName->text();
    if (!createProject(mSession.paths(), name, mAuthor->text())) {
        mServices.dialogs.message(
            this,
            QStringLiteral("Erreur , des données essentiels au fonctionnement du programme sont "
                           "manquantes ou corrompus , veuillez réinstaller Quendal 3"),
            AppTitle, MsgIcon::Critical, MsgButtons::Ok);
        return;
    }
    emit projectCreated(name);
}
