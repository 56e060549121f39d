#include "mainform.h"

#include "events/eveditor.h"
#include "maps/mapeditor.h"
#include "project/module1.h"
#include "project/nouvprojet.h"
#include "project/openp.h"
#include "project/paths.h"
#include "shell/appinfo.h"
#include "shell/controlpanel.h"
#include "shell/sendtopsp.h"
#include "shell/services.h"
#include "shell/welcomewindow.h"
#include "variables/vareditor.h"

#include <QAction>
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

Mainform::Mainform(AppServices& services, QWidget* parent)
    : QMainWindow(parent), mServices(services), mQuit([] { QCoreApplication::exit(0); }) {
    setObjectName(QStringLiteral("Mainform"));
    setWindowTitle(QStringLiteral("Quendal 3"));
    resize(1280, 960);

    mArea = new QMdiArea(this);
    mArea->setObjectName(QStringLiteral("mdiArea"));
    mArea->setAccessibleName(QStringLiteral("Espace de travail"));
    setCentralWidget(mArea);
    mArea->viewport()->installEventFilter(this);
    connect(mArea, &QMdiArea::subWindowActivated, this, &Mainform::onSubWindowActivated);

    QMenu* file = menuBar()->addMenu(QStringLiteral("&Fichier"));
    file->menuAction()->setObjectName(QStringLiteral("file"));
    file->setObjectName(QStringLiteral("fileMenu"));
    connect(addItem(file, "new", QStringLiteral("Nouveau Projet"), QStringLiteral("Ctrl+N")),
            &QAction::triggered, this, &Mainform::showNouvprojet);
    connect(addItem(file, "loadp", QStringLiteral("Charger un projet"), QStringLiteral("Ctrl+L")),
            &QAction::triggered, this, &Mainform::showOpenp);
    file->addSeparator()->setObjectName(QStringLiteral("separ"));
    connect(addItem(file, "Quit", QStringLiteral("Quitter"), QStringLiteral("Ctrl+Q")),
            &QAction::triggered, this, &Mainform::quit);
    QMenu* help = menuBar()->addMenu(QStringLiteral("A&ide"));
    help->menuAction()->setObjectName(QStringLiteral("help"));
    help->setObjectName(QStringLiteral("helpMenu"));
    connect(addItem(help, "docu", QStringLiteral("Documentation"), QStringLiteral("Ctrl+D")),
            &QAction::triggered, this, &Mainform::openDocumentation);

    // The projects root; a failure shows later, when a project cannot be created.
    QDir().mkpath(projectsRoot(mServices.appDir));
}

void Mainform::start() {
    show();
    showWelcome();
}

QMdiSubWindow* Mainform::addChild(QWidget* widget, bool deleteOnClose) {
    QMdiSubWindow* sub = mArea->addSubWindow(widget);
    sub->setAttribute(Qt::WA_DeleteOnClose, deleteOnClose);
    sub->setWindowIcon(windowIcon());
    return sub;
}

void Mainform::bringUp(QMdiSubWindow* sub) {
    sub->show();
    sub->raise();
    mArea->setActiveSubWindow(sub);
}

void Mainform::closeChild(QWidget* widget) {
    if (auto* sub = qobject_cast<QMdiSubWindow*>(widget->parentWidget()))
        sub->close();
}

void Mainform::showWelcome() {
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
                &Mainform::openDocumentation);
    }
    bringUp(mWelcome);
}

void Mainform::showNouvprojet() {
    if (!mNouvprojet) {
        auto* window = new NouvProjet(mServices);
        mNouvprojet = addChild(window, true);
        connect(window, &NouvProjet::projectCreated, this,
                [this, window](const QString& name) { projectBecameCurrent(name, window); });
    }
    bringUp(mNouvprojet);
}

void Mainform::showOpenp() {
    if (!mOpenp) {
        auto* window = new OpenP(mServices);
        mOpenp = addChild(window, true);
        connect(window, &OpenP::projectOpened, this,
                [this, window](const QString& name) { projectBecameCurrent(name, window); });
    }
    bringUp(mOpenp);
}

void Mainform::projectBecameCurrent(const QString& name, QWidget* from) {
    setProjectName(name);
    showControlPanel();
    handOverMap(1);
    closeChild(from);
}

QMdiSubWindow* Mainform::controlPanelWindow() {
    if (!mControlWindow) {
        mControl = new ControlPanel(mServices);
        // Closing the panel only hides it: its Tag names the current project.
        mControlWindow = addChild(mControl, false);
        mControlWindow->hide();
        connect(mControl, &ControlPanel::activated, this, [this] {
            if (mWelcome)
                mWelcome->hide();
            mControlWindow->move(0, 0);
        });
        connect(mControl, &ControlPanel::closeRequested, mControlWindow, &QMdiSubWindow::close);
        connect(mControl, &ControlPanel::mapRequested, this, &Mainform::handOverMap);
        connect(mControl, &ControlPanel::combatEditorRequested, this,
                &Mainform::showCombatEditor);
        connect(mControl, &ControlPanel::gameOptionsRequested, this, &Mainform::showGameOptions);
        connect(mControl, &ControlPanel::variablesRequested, this, &Mainform::showVarEditor);
    }
    return mControlWindow;
}

ControlPanel* Mainform::controlPanel() {
    controlPanelWindow();
    return mControl;
}

QString Mainform::projectName() { return controlPanel()->tag(); }

void Mainform::setProjectName(const QString& name) { controlPanel()->setTag(name); }

void Mainform::showControlPanel() {
    QMdiSubWindow* sub = controlPanelWindow();
    // Showing the panel always re-reads the project, also when it was the last active window.
    mLastActive = nullptr;
    bringUp(sub);
    if (mLastActive != sub) {
        mLastActive = sub;
        mControl->activate();
    }
}

void Mainform::onSubWindowActivated(QMdiSubWindow* sub) {
    // Focus leaving the main window (a message box) and coming back is no new activation.
    if (!sub || sub == mLastActive)
        return;
    mLastActive = sub;
    if (sub == mControlWindow)
        mControl->activate();
    else if (sub == mVarEditor)
        static_cast<VarEditor*>(sub->widget())->loadvars();
}

void Mainform::showCombatEditor() {
    if (!mCombatEditor)
        mCombatEditor = addChild(emptyWindow("combateditor", QStringLiteral("Editeur de combats")), true);
    bringUp(mCombatEditor);
}

void Mainform::showGameOptions() {
    if (!mGameOptions)
        mGameOptions = addChild(emptyWindow("gameoptions", QStringLiteral("Form1")), true);
    bringUp(mGameOptions);
}

void Mainform::showVarEditor() {
    if (!mVarEditor)
        mVarEditor = addChild(new VarEditor(mServices, [this] { return projectName(); }), true);
    bringUp(mVarEditor);
}

SendToPsp* Mainform::sendtopsp() {
    if (!mSendToPsp)
        mSendToPsp = new SendToPsp(this);
    return mSendToPsp;
}

MapEditor* Mainform::handOverMap(int n) {
    auto* editor = new MapEditor(mServices, [this] { return projectName(); });
    QMdiSubWindow* sub = addChild(editor, true);
    sub->move(controlPanelWindow()->width(), 0);
    bringUp(sub);
    connect(editor, &MapEditor::eventEditorRequested, this, &Mainform::editEvent);
    connect(eventEditor(), &EventEditor::scriptSaved, editor, &MapEditor::eventScriptSaved);
    editor->startup();
    editor->setMapNumber(mapNumberText(n));
    editor->loadmap();
    return editor;
}

EventEditor* Mainform::eventEditor() {
    if (!mEventEditor) {
        mEventEditor = new EventEditor(mServices, [this] { return projectName(); });
        // Closing only hides it: its lines and sub-panels are kept for the next showing.
        mEventEditorWindow = addChild(mEventEditor, false);
        mEventEditorWindow->hide();
    }
    return mEventEditor;
}

void Mainform::editEvent(const QString& mapNumber, int row, int column) {
    eventEditor()->openCell(mapNumber, row, column);
    bringUp(mEventEditorWindow);
}

void Mainform::openDocumentation() {
    mServices.documents.open(mServices.appDir + QStringLiteral("/Doc/index.html"));
}

void Mainform::quit() {
    const MsgAnswer answer = mServices.dialogs.message(
        this, QStringLiteral("Êtes-vous sure de vouloir quitter ?"), AppTitle, MsgIcon::None,
        MsgButtons::YesNo);
    if (answer == MsgAnswer::Yes)
        mQuit();
}

bool Mainform::eventFilter(QObject* watched, QEvent* event) {
    if (watched == mArea->viewport() && event->type() == QEvent::MouseButtonPress)
        setWindowTitle(QStringLiteral("Quendal 3 - Par Tamsik"));
    return QMainWindow::eventFilter(watched, event);
}
