#include "shell/openprojectwindow.h"

#include "project/opening.h"
#include "project/projectsession.h"
#include "shell/appinfo.h"
#include "shell/folderlist.h"
#include "shell/services.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

OpenProjectWindow::OpenProjectWindow(AppServices& services, const ProjectSession& session,
                                     QWidget* parent)
    : QWidget(parent), mServices(services), mSession(session) {
    setObjectName(QStringLiteral("openp"));
    setWindowTitle(QStringLiteral("Ouvrir un projet"));

    auto* label1 = new QLabel(QStringLiteral("Choississez votre jeu :"), this);
    label1->setObjectName(QStringLiteral("Label1"));
    mDir1 = new FolderList(this);
    mDir1->setObjectName(QStringLiteral("Dir1"));
    mDir1->setAccessibleName(QStringLiteral("Dossiers"));
    label1->setBuddy(mDir1);
    auto* command1 = new QPushButton(QStringLiteral("Ouvrir"), this);
    command1->setObjectName(QStringLiteral("Command1"));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label1);
    layout->addWidget(mDir1, 1);
    layout->addWidget(command1, 0, Qt::AlignRight);
    resize(320, 300);

    mDir1->setCurrentFolder(mSession.paths().projectsRoot());
    connect(command1, &QPushButton::clicked, this, &OpenProjectWindow::open);
}

void OpenProjectWindow::open() {
    const QString name = projectNameOfFolder(mSession.paths(), mDir1->currentFolder());
    if (name.isEmpty()) {
        mServices.dialogs.message(this, QStringLiteral("Erreur : Projet invalide !"), AppTitle,
                                  MsgIcon::None, MsgButtons::Ok);
        return;
    }
    if (!mMayReplace())
        return;
    emit projectOpened(name);
}
