#include "shell/mainwindow.h"

#include "events/eventeditor.h"
#include "events/scriptdocument.h"
#include "maps/mapdocument.h"
#include "maps/mapeditor.h"
#include "plays/livetestrun.h"
#include "plays/playswindow.h"
#include "plays/verificationwindow.h"
#include "project/module1.h"
#include "project/projectdocument.h"
#include "project/projectsession.h"
#include "shell/appinfo.h"
#include "shell/asktosave.h"
#include "shell/controlpanel.h"
#include "shell/newprojectwindow.h"
#include "shell/openprojectwindow.h"
#include "shell/sendtopsp.h"
#include "shell/services.h"
#include "shell/welcomewindow.h"
#include "variables/variableswindow.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>

namespace {

QAction* addItem(QMenu* menu, const char* name, const QString& caption, const QString& keys) {
    QAction* action = menu->addAction(caption);
    action->setObjectName(QLatin1String(name));
    action->setShortcut(QKeySequence(keys));
    return action;
}

QWidget* emptyWindow(const char* name, const QString& title) {
    auto* w = new QWidget;
    w->setObjectName(QLatin1String(name));
    w->setWindowTitle(title);
    w->resize(320, 240);
    return w;
}

} // namespace

MainWindow::MainWindow(AppServices& services, const AppPaths& paths, QWidget* parent)
    : QMainWindow(parent), mServices(services), mSession(new ProjectSession(paths, this)),
      mTestRun(new LiveTestRun(*mSession, services.processes, this)),
      mQuit([] { QCoreApplication::exit(0); }) {
    setObjectName(QStringLiteral("Mainform"));
    setWindowTitle(QStringLiteral("Quendal 3"));
    resize(1280, 960);

    mArea = new QMdiArea(this);
    mArea->setObjectName(QStringLiteral("mdiArea"));
    mArea->setAccessibleName(QStringLiteral("Espace de travail"));
    setCentralWidget(mArea);
    mArea->viewport()->installEventFilter(this);
    connect(mArea, &QMdiArea::subWindowActivated, this, &MainWindow::onSubWindowActivated);

    QMenu* file = menuBar()->addMenu(QStringLiteral("&Fichier"));
    file->menuAction()->setObjectName(QStringLiteral("file"));
    file->setObjectName(QStringLiteral("fileMenu"));
    connect(addItem(file, "new", QStringLiteral("Nouveau Projet"), QStringLiteral("Ctrl+N")),
            &QAction::triggered, this, &MainWindow::showNouvprojet);
    connect(addItem(file, "loadp", QStringLiteral("Charger un projet"), QStringLiteral("Ctrl+L")),
            &QAction::triggered, this, &MainWindow::showOpenp);
    QAction* finalise =
        addItem(file, "finaliser", QStringLiteral("Finaliser le jeu..."), QStringLiteral("Ctrl+E"));
    finalise->setEnabled(false);
    connect(finalise, &QAction::triggered, this, &MainWindow::showSendToPsp);
    connect(mSession, &ProjectSession::projectChanged, finalise,
            [this, finalise] { finalise->setEnabled(mSession->isOpen()); });
    file->addSeparator()->setObjectName(QStringLiteral("separ"));
    connect(addItem(file, "Quit", QStringLiteral("Quitter"), QStringLiteral("Ctrl+Q")),
            &QAction::triggered, this, &MainWindow::quit);
    addGameMenu();
    QMenu* help = menuBar()->addMenu(QStringLiteral("A&ide"));
    help->menuAction()->setObjectName(QStringLiteral("help"));
    help->setObjectName(QStringLiteral("helpMenu"));
    connect(addItem(help, "docu", QStringLiteral("Documentation"), QStringLiteral("Ctrl+D")),
            &QAction::triggered, this, &MainWindow::openDocumentation);

    // The projects root; a failure shows later, when a project cannot be created.
    QDir().mkpath(mSession->paths().projectsRoot());
}

MainWindow::~MainWindow() {
    // The child windows are destroyed after this object stops being a MainWindow: they must
    // not call back into it.
    disconnect(mArea, nullptr, this, nullptr);
}

void MainWindow::addGameMenu() {
    QMenu* game = menuBar()->addMenu(QStringLiteral("&Jeu"));
    game->menuAction()->setObjectName(QStringLiteral("jeu"));
    game->setObjectName(QStringLiteral("gameMenu"));
    mTestAction =
        addItem(game, "tester", QStringLiteral("Tester votre jeu"), QStringLiteral("Ctrl+R"));
    QAction* plays = addItem(game, "parties", QStringLiteral("Parties enregistrées"), QString());
    QAction* verify = addItem(game, "verifier", QStringLiteral("Vérifier le jeu"), QString());
    // Started again while a game runs, the game restarts ("Relancer le jeu").
    connect(mTestAction, &QAction::triggered, this, [this] { controlPanel()->restartGame(); });
    connect(plays, &QAction::triggered, this, &MainWindow::showPlays);
    connect(verify, &QAction::triggered, this, &MainWindow::showVerification);
    for (QAction* action : {mTestAction, plays, verify})
        action->setEnabled(false);
    connect(mSession, &ProjectSession::projectChanged, this, [=, this](const QString& name) {
        for (QAction* action : {mTestAction, plays, verify})
            action->setEnabled(!name.isEmpty());
    });
    connect(mTestRun, &LiveTestRun::liveChanged, this, [this](bool live) {
        mTestAction->setText(live ? QStringLiteral("Relancer le jeu")
                                  : QStringLiteral("Tester votre jeu"));
    });
    connect(mTestRun, &LiveTestRun::liveBuildFailed, this, [this](const QString& message) {
        mServices.dialogs.message(this, message, AppTitle, MsgIcon::Critical, MsgButtons::Ok);
    });
}

void MainWindow::start() {
    show();
    showWelcome();
}

QMdiSubWindow* MainWindow::addChild(QWidget* widget, bool deleteOnClose) {
    QMdiSubWindow* sub = mArea->addSubWindow(widget);
    sub->setAttribute(Qt::WA_DeleteOnClose, deleteOnClose);
    sub->setWindowIcon(windowIcon());
    return sub;
}

void MainWindow::bringUp(QMdiSubWindow* sub) {
    sub->show();
    sub->raise();
    mArea->setActiveSubWindow(sub);
}

void MainWindow::closeChild(QWidget* widget) {
    if (auto* sub = qobject_cast<QMdiSubWindow*>(widget->parentWidget()))
        sub->close();
}

void MainWindow::showWelcome() {
    if (!mWelcome) {
        auto* welcome = new WelcomeWindow;
        mWelcome = addChild(welcome, true);
        connect(welcome, &WelcomeWindow::createRequested, this, [this, welcome] {
            showNouvprojet();
            closeChild(welcome);
        });
        connect(welcome, &WelcomeWindow::openRequested, this, [this, welcome] {
            showOpenp();
            closeChild(welcome);
        });
        connect(welcome, &WelcomeWindow::documentationRequested, this,
                &MainWindow::openDocumentation);
    }
    bringUp(mWelcome);
}

void MainWindow::showNouvprojet() {
    if (!mNouvprojet) {
        auto* window = new NewProjectWindow(mServices, *mSession);
        window->setMayReplaceProject([this] { return closeProject(); });
        mNouvprojet = addChild(window, true);
        connect(window, &NewProjectWindow::projectCreated, this,
                [this, window](const QString& name) { projectBecameCurrent(name, window); });
    }
    bringUp(mNouvprojet);
}

void MainWindow::showOpenp() {
    if (!mOpenp) {
        auto* window = new OpenProjectWindow(mServices, *mSession);
        window->setMayReplaceProject([this] { return closeProject(); });
        mOpenp = addChild(window, true);
        connect(window, &OpenProjectWindow::projectOpened, this,
                [this, window](const QString& name) { projectBecameCurrent(name, window); });
    }
    bringUp(mOpenp);
}

bool MainWindow::closeProject() {
    if (!mSession->isOpen())
        return true;
    for (MapEditor* editor : mapEditors())
        if (auto* sub = qobject_cast<QMdiSubWindow*>(editor->parentWidget()); sub && !sub->close())
            return false;
    if (mEventEditor) {
        if (!askToSave(mServices.dialogs, this, mEventEditor->script()))
            return false;
        // The event editor belongs to the project it edits: the next one is made afresh.
        delete mEventEditorWindow;
    }
    return true;
}

void MainWindow::projectBecameCurrent(const QString& name, QWidget* from) {
    mSession->open(name);
    if (mVarEditor)
        static_cast<VariablesWindow*>(mVarEditor->widget())->loadvars();
    showControlPanel();
    handOverMap(1);
    closeChild(from);
}

QMdiSubWindow* MainWindow::controlPanelWindow() {
    if (!mControlWindow) {
        mControl = new ControlPanel(mServices, *mSession, *mTestRun);
        // Closing the panel only hides it.
        mControlWindow = addChild(mControl, false);
        mControlWindow->hide();
        connect(mControl, &ControlPanel::activated, this, [this] {
            if (mWelcome)
                mWelcome->hide();
            mControlWindow->move(0, 0);
        });
        connect(mControl, &ControlPanel::closeRequested, mControlWindow, &QMdiSubWindow::close);
        connect(mControl, &ControlPanel::mapRequested, this, &MainWindow::handOverMap);
        connect(mControl, &ControlPanel::combatEditorRequested, this,
                &MainWindow::showCombatEditor);
        connect(mControl, &ControlPanel::gameOptionsRequested, this, &MainWindow::showGameOptions);
        connect(mControl, &ControlPanel::variablesRequested, this, &MainWindow::showVarEditor);
    }
    return mControlWindow;
}

ControlPanel* MainWindow::controlPanel() {
    controlPanelWindow();
    return mControl;
}

void MainWindow::showControlPanel() {
    QMdiSubWindow* sub = controlPanelWindow();
    // Showing the panel always re-reads the project, also when it was the last active window.
    mLastActive = nullptr;
    bringUp(sub);
    if (mLastActive != sub) {
        mLastActive = sub;
        mControl->activate();
    }
}

void MainWindow::onSubWindowActivated(QMdiSubWindow* sub) {
    // Focus leaving the main window (a message box) and coming back is no new activation.
    if (!sub || sub == mLastActive)
        return;
    mLastActive = sub;
    if (sub == mControlWindow)
        mControl->activate();
    else if (sub == mVarEditor)
        static_cast<VariablesWindow*>(sub->widget())->loadvars();
}

void MainWindow::showCombatEditor() {
    if (!mCombatEditor)
        mCombatEditor = addChild(emptyWindow("combateditor", QStringLiteral("Editeur de combats")), true);
    bringUp(mCombatEditor);
}

void MainWindow::showGameOptions() {
    if (!mGameOptions)
        mGameOptions = addChild(emptyWindow("gameoptions", QStringLiteral("Form1")), true);
    bringUp(mGameOptions);
}

void MainWindow::showVarEditor() {
    if (!mVarEditor)
        mVarEditor = addChild(new VariablesWindow(mServices, *mSession), true);
    bringUp(mVarEditor);
}

void MainWindow::showPlays() {
    if (!mPlays) {
        auto* plays = new PlaysWindow(mServices, *mSession);
        connect(mTestRun, &LiveTestRun::playRecorded, plays, &PlaysWindow::reload);
        mPlays = addChild(plays, true);
    }
    static_cast<PlaysWindow*>(mPlays->widget())->reload();
    bringUp(mPlays);
}

void MainWindow::showVerification() {
    if (!mVerification)
        mVerification = addChild(new VerificationWindow(mServices, *mSession), true);
    bringUp(mVerification);
    static_cast<VerificationWindow*>(mVerification->widget())->verify();
}

SendToPsp* MainWindow::sendtopsp() {
    if (!mSendToPsp)
        mSendToPsp = new SendToPsp(mServices, *mSession, this);
    return mSendToPsp;
}

void MainWindow::showSendToPsp() {
    SendToPsp* window = sendtopsp();
    window->show();
    window->refresh();
    window->raise();
    window->activateWindow();
}

QList<MapEditor*> MainWindow::mapEditors() const {
    QList<MapEditor*> editors;
    for (QMdiSubWindow* sub : mArea->subWindowList())
        if (auto* editor = qobject_cast<MapEditor*>(sub->widget()))
            editors.append(editor);
    return editors;
}

MapEditor* MainWindow::handOverMap(int n) {
    const QString nn = mapNumberText(n);
    for (MapEditor* editor : mapEditors()) {
        if (editor->tag() == nn) {
            bringUp(qobject_cast<QMdiSubWindow*>(editor->parentWidget()));
            return editor;
        }
    }
    auto* editor = new MapEditor(mServices, *mSession);
    QMdiSubWindow* sub = addChild(editor, true);
    sub->move(controlPanelWindow()->width(), 0);
    bringUp(sub);
    connect(editor, &MapEditor::eventEditorRequested, this, &MainWindow::editEvent);
    editor->startup();
    editor->setMapNumber(nn);
    editor->loadmap();
    return editor;
}

EventEditor* MainWindow::eventEditor() {
    if (!mEventEditor) {
        mEventEditor = new EventEditor(mServices, *mSession);
        // Closing only hides it: its lines and sub-panels are kept for the next showing.
        mEventEditorWindow = addChild(mEventEditor, false);
        mEventEditorWindow->hide();
    }
    return mEventEditor;
}

void MainWindow::editEvent(const QString& mapNumber, int row, int column) {
    eventEditor()->openCell(mapNumber, row, column);
    bringUp(mEventEditorWindow);
}

void MainWindow::openDocumentation() { mServices.documents.open(mSession->paths().guidePath()); }

bool MainWindow::maySaveBeforeQuitting() {
    return mSession->modifiedDocuments().isEmpty() ||
           askToSave(mServices.dialogs, this,
                     QStringLiteral("Enregistrer les modifications avant de quitter ?"),
                     [this] { return mSession->saveAll(); });
}

void MainWindow::quit() {
    if (!mSession->modifiedDocuments().isEmpty()) {
        if (maySaveBeforeQuitting())
            mQuit();
        return;
    }
    const MsgAnswer answer = mServices.dialogs.message(
        this, QStringLiteral("Êtes-vous sure de vouloir quitter ?"), AppTitle, MsgIcon::None,
        MsgButtons::YesNo);
    if (answer == MsgAnswer::Yes)
        mQuit();
}

void MainWindow::closeEvent(QCloseEvent* event) {
    // Closing the frame ends the program without a question, unless edits are unsaved.
    if (!maySaveBeforeQuitting()) {
        event->ignore();
        return;
    }
    event->accept();
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == mArea->viewport() && event->type() == QEvent::MouseButtonPress)
        setWindowTitle(QStringLiteral("Quendal 3 - Par Tamsik"));
    return QMainWindow::eventFilter(watched, event);
}
