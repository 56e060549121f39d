#include "sendtopsp.h"

#include "build/gamecheck.h"
#include "build/gamecopy.h"
#include "build/gamefiles.h"
#include "build/gamefolder.h"
#include "project/projectsession.h"
#include "shell/appinfo.h"
#include "shell/folderlist.h"
#include "shell/services.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QThread>
#include <QVBoxLayout>

// What the copying thread hands back.
struct SendToPsp::Job {
    ExportPlan plan;
    QString playerPath;
    ExportResult result;
    QString checkError;
    std::atomic<int> percent{-1};
    std::atomic<bool> cancel{false};   // "Fermer": stops the copy
    std::atomic<bool> quitting{false}; // the window goes: stops the trial in LuaPlayer too
};

SendToPsp::SendToPsp(AppServices& services, ProjectSession& session, QWidget* parent)
    : QWidget(parent, Qt::Window), mServices(services), mSession(session) {
    setObjectName(QStringLiteral("sendtopsp"));
    setWindowTitle(QStringLiteral("Finaliser le jeu"));

    auto* frame1 = new QGroupBox(QStringLiteral("Dossier de destination"), this);
    frame1->setObjectName(QStringLiteral("Frame1"));
    mDrive1 = new QComboBox(frame1);
    mDrive1->setObjectName(QStringLiteral("Drive1"));
    mDrive1->setAccessibleName(QStringLiteral("Lecteurs"));
    mDir1 = new FolderList(frame1);
    mDir1->setObjectName(QStringLiteral("Dir1"));
    mDir1->setAccessibleName(QStringLiteral("Dossiers"));
    auto* left = new QVBoxLayout(frame1);
    left->addWidget(mDrive1);
    left->addWidget(mDir1, 1);

    auto* frame2 = new QGroupBox(QStringLiteral("Options"), this);
    frame2->setObjectName(QStringLiteral("Frame2"));
    mOption1 = new QRadioButton(QStringLiteral("Ne pas mettre le LuaPlayer 0.20"), frame2);
    mOption1->setObjectName(QStringLiteral("Option1"));
    mOption2 = new QRadioButton(QStringLiteral("Mettre le LuaPlayer 0.20"), frame2);
    mOption2->setObjectName(QStringLiteral("Option2"));
    auto* label1 = new QLabel(
        QStringLiteral("Le LuaPlayer intégré est prévu pour les PSP version 1.50 , 2.71 et 3.xx "
                       "OE , mais vous pouvez mettre une version du LuaPlayer compatible 1.00 et "
                       "eloader manuellement."),
        frame2);
    label1->setObjectName(QStringLiteral("Label1"));
    label1->setWordWrap(true);
    auto* right = new QVBoxLayout(frame2);
    right->addWidget(mOption1);
    right->addWidget(mOption2);
    right->addWidget(label1);
    right->addStretch(1);

    mGameLine = new QLabel(this);
    mGameLine->setObjectName(QStringLiteral("Label2"));
    mTargetLine = new QLabel(this);
    mTargetLine->setObjectName(QStringLiteral("Label3"));
    mTargetLine->setWordWrap(true);
    mProgress = new QProgressBar(this);
    mProgress->setObjectName(QStringLiteral("ProgressBar1"));
    mProgress->setAccessibleName(QStringLiteral("Progression de la copie"));
    mProgress->setRange(0, 100);
    mProgress->hide();
    mCopy = new QPushButton(QStringLiteral("Copier"), this);
    mCopy->setObjectName(QStringLiteral("Command1"));
    mCopy->setDefault(true);
    mClose = new QPushButton(QStringLiteral("Fermer"), this);
    mClose->setObjectName(QStringLiteral("Command2"));

    auto* frames = new QHBoxLayout;
    frames->addWidget(frame1, 1);
    frames->addWidget(frame2, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(mProgress, 1);
    buttons->addStretch(0);
    buttons->addWidget(mCopy);
    buttons->addWidget(mClose);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(frames, 1);
    layout->addWidget(mGameLine);
    layout->addWidget(mTargetLine);
    layout->addLayout(buttons);
    resize(640, 400);

    connect(mDrive1, &QComboBox::currentIndexChanged, this, &SendToPsp::placeChosen);
    connect(mDir1, &FolderList::currentFolderChanged, this, &SendToPsp::showTarget);
    connect(mOption2, &QRadioButton::toggled, this, &SendToPsp::showGameLine);
    connect(mCopy, &QPushButton::clicked, this, &SendToPsp::copy);
    connect(mClose, &QPushButton::clicked, this, &QWidget::close);
    // Listing the game reads every event file: done while the window shows, and on showing.
    connect(&mSession, &ProjectSession::projectChanged, this, [this] {
        if (isVisible())
            refresh();
    });
    setPlaces(systemDestinationPlaces());
}

SendToPsp::~SendToPsp() {
    if (mWorker) {
        mJob->cancel = true;
        mJob->quitting = true;
        mWorker->wait();
        delete mWorker.data();
    }
}

void SendToPsp::refresh() {
    if (!isCopying())
        setPlaces(systemDestinationPlaces());
    const QString player = consolePlayerFolder(mSession.paths());
    const bool hasPlayer = hasConsolePlayer(player);
    mOption2->setEnabled(hasPlayer && !isCopying());
    mOption2->setToolTip(
        hasPlayer ? QStringLiteral("Copie dans le dossier du jeu le LuaPlayer pour console du "
                                   "dossier ") + player +
                        QStringLiteral(", avec un script.lua qui lance le jeu.")
                  : QStringLiteral("Pour copier LuaPlayer 0.20 avec le jeu, placez sa version "
                                   "pour console (son EBOOT.PBP et ses fichiers) dans le dossier ") +
                        player + u'.');
    if (!hasPlayer && mOption2->isChecked())
        mOption1->setChecked(true);
    showGameLine();
}

void SendToPsp::setPlaces(const QList<DestinationPlace>& places) {
    const QString chosen = mDrive1->currentIndex() >= 0 ? mPlaces.value(mDrive1->currentIndex()).path
                                                        : QString();
    const QString folder = mDir1->currentFolder();
    mPlaces = places;
    {
        const QSignalBlocker blocker(mDrive1);
        mDrive1->clear();
        for (const DestinationPlace& place : mPlaces)
            mDrive1->addItem(place.label());
    }
    // The place chosen before stays chosen, on the folder it showed.
    int index = 0;
    for (int i = 0; i < mPlaces.size(); ++i)
        if (mPlaces[i].path == chosen)
            index = i;
    mDrive1->setCurrentIndex(index);
    placeChosen(index);
    if (mPlaces.value(index).path == chosen && !folder.isEmpty())
        mDir1->setCurrentFolder(folder);
}

void SendToPsp::placeChosen(int index) {
    if (index < 0 || index >= mPlaces.size())
        return;
    mDir1->setRootFolder(mPlaces[index].path);
    mDir1->setCurrentFolder(mPlaces[index].path);
}

QString SendToPsp::destination() const { return mDir1->currentFolder(); }

void SendToPsp::showGameLine() {
    if (!mSession.isOpen()) {
        mGameLine->setText(QStringLiteral("Aucun projet n'est ouvert."));
        return;
    }
    const QString player = mOption2->isChecked() ? consolePlayerFolder(mSession.paths()) : QString();
    mGameLine->setText(gameLine(mSession.name(), gameFilesAsBuilt(mSession.folder(), player)));
}

void SendToPsp::showTarget() {
    const int index = mDrive1->currentIndex();
    if (!mSession.isOpen() || index < 0 || index >= mPlaces.size() || destination().isEmpty()) {
        mTargetLine->clear();
        return;
    }
    const QString target = destination() + u'/' + gameFolderName(mSession.name());
    mTargetLine->setText(QStringLiteral("Le jeu sera copié dans : ") +
                         shownPath(mPlaces[index], target));
    mTargetLine->setToolTip(target);
}

void SendToPsp::copy() {
    if (isCopying())
        return;
    auto say = [this](const QString& text, MsgIcon icon) {
        mServices.dialogs.message(this, text, AppTitle, icon, MsgButtons::Ok);
    };
    // The game copied is the one on screen: unsaved maps and scripts are saved first.
    if (const QString error = mSession.saveAll(); !error.isEmpty()) {
        say(error + QStringLiteral("\n\nLe jeu n'a pas été copié."), MsgIcon::Critical);
        return;
    }
    const ExportPreparation prepared = prepareExport(
        mSession.paths(), mSession.name(), {destination(), mOption2->isChecked()});
    if (!prepared.error.isEmpty()) {
        say(prepared.error, MsgIcon::Critical);
        return;
    }
    if (prepared.plan.replaces &&
        mServices.dialogs.message(this, replaceQuestion(prepared.plan), AppTitle, MsgIcon::Warning,
                                  MsgButtons::YesNo) != MsgAnswer::Yes)
        return;

    auto job = std::make_shared<Job>();
    job->plan = prepared.plan;
    job->playerPath = mSession.paths().playerPath;
    mJob = job;
    mWorker = QThread::create([this, job] {
        ExportControl control;
        control.cancel = &job->cancel;
        control.progress = [this, job](qint64 done, qint64 total) {
            const int percent = total > 0 ? int(done * 100 / total) : 100;
            if (job->percent.exchange(percent) != percent)
                QMetaObject::invokeMethod(
                    mProgress, [this, percent] { mProgress->setValue(percent); },
                    Qt::QueuedConnection);
        };
        job->result = copyGame(job->plan, control);
        if (job->result.done)
            job->checkError = checkExportedGame(job->playerPath, job->plan.target, &job->quitting);
    });
    connect(mWorker, &QThread::finished, this, &SendToPsp::copyEnded);
    setCopying(true);
    mWorker->start();
}

void SendToPsp::setCopying(bool copying) {
    mProgress->setValue(0);
    mProgress->setVisible(copying);
    for (QWidget* w : {static_cast<QWidget*>(mCopy), static_cast<QWidget*>(mDrive1),
                       static_cast<QWidget*>(mDir1), static_cast<QWidget*>(mOption1)})
        w->setEnabled(!copying);
    mOption2->setEnabled(!copying && hasConsolePlayer(consolePlayerFolder(mSession.paths())));
}

void SendToPsp::copyEnded() {
    if (!mWorker)
        return;
    mWorker->deleteLater();
    mWorker = nullptr;
    const std::shared_ptr<Job> job = std::move(mJob);
    setCopying(false);
    const bool closing = mCloseWhenStopped;
    mCloseWhenStopped = false;
    mClose->setEnabled(true);
    // A game in place is said even when "Fermer" came too late to stop the copy.
    if (job->result.done)
        mServices.dialogs.message(this, exportDoneText(job->plan, job->checkError), AppTitle,
                                  job->checkError.isEmpty() ? MsgIcon::Information
                                                            : MsgIcon::Warning,
                                  MsgButtons::Ok);
    else if (!job->result.error.isEmpty() && !closing)
        mServices.dialogs.message(this, job->result.error, AppTitle, MsgIcon::Critical,
                                  MsgButtons::Ok);
    if (closing)
        close();
    mDir1->setCurrentFolder(mDir1->currentFolder()); // shows the game's folder
    showGameLine();
    emit copyFinished();
}

void SendToPsp::closeEvent(QCloseEvent* event) {
    // "Fermer" during the copy stops it; the window closes once the destination is as it was.
    if (isCopying()) {
        mJob->cancel = true;
        mCloseWhenStopped = true;
        mClose->setEnabled(false);
        event->ignore();
        return;
    }
    QWidget::closeEvent(event);
}
