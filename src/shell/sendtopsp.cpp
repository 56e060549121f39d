#include "sendtopsp.h"

#include "shell/folderlist.h"

#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <QStorageInfo>
#include <QVBoxLayout>

SendToPsp::SendToPsp(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("sendtopsp"));
    setWindowTitle(QStringLiteral("Finaliser le jeu"));

    auto* frame1 = new QGroupBox(QStringLiteral("Dossier de destination"), this);
    frame1->setObjectName(QStringLiteral("Frame1"));
    mDrive1 = new QComboBox(frame1);
    mDrive1->setObjectName(QStringLiteral("Drive1"));
    mDrive1->setAccessibleName(QStringLiteral("Lecteurs"));
    // Mounted volumes stand for drives.
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes())
        if (volume.isValid() && volume.isReady())
            mDrive1->addItem(volume.rootPath());
    mDir1 = new FolderList(frame1);
    mDir1->setObjectName(QStringLiteral("Dir1"));
    mDir1->setAccessibleName(QStringLiteral("Dossiers"));
    auto* left = new QVBoxLayout(frame1);
    left->addWidget(mDrive1);
    left->addWidget(mDir1, 1);

    auto* frame2 = new QGroupBox(QStringLiteral("Options"), this);
    frame2->setObjectName(QStringLiteral("Frame2"));
    auto* option1 = new QRadioButton(QStringLiteral("Ne pas mettre le LuaPlayer 0.20"), frame2);
    option1->setObjectName(QStringLiteral("Option1"));
    auto* option2 = new QRadioButton(QStringLiteral("Mettre le LuaPlayer 0.20"), frame2);
    option2->setObjectName(QStringLiteral("Option2"));
    auto* label1 = new QLabel(
        QStringLiteral("Le LuaPlayer intégré est prévu pour les PSP version 1.50 , 2.71 et 3.xx "
                       "OE , mais vous pouvez mettre une version du LuaPlayer compatible 1.00 et "
                       "eloader manuellement."),
        frame2);
    label1->setObjectName(QStringLiteral("Label1"));
    label1->setWordWrap(true);
    auto* right = new QVBoxLayout(frame2);
    right->addWidget(option1);
    right->addWidget(option2);
    right->addWidget(label1);
    right->addStretch(1);

    auto* layout = new QHBoxLayout(this);
    layout->addWidget(frame1, 1);
    layout->addWidget(frame2, 1);
    resize(560, 320);

    connect(mDrive1, &QComboBox::currentTextChanged, mDir1, &FolderList::setCurrentFolder);
    if (mDrive1->count() > 0)
        mDir1->setCurrentFolder(mDrive1->currentText());
}
