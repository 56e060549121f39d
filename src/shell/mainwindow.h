#pragma once

#include <QMainWindow>
#include <QPointer>

#include <functional>

struct AppPaths;
struct AppServices;
class ControlPanel;
class EventEditor;
class LiveTestRun;
class MapEditor;
class ProjectSession;
class QAction;
class QMdiArea;
class QMdiSubWindow;
class SendToPsp;

// The main window `Mainform`: the menus and the area in which every other window of the
// program is a child window. It owns the session of the open project. Each kind of window is
// made on first use and brought to the front when shown again; each map shows in one map
// editor, made when the map is first handed over.
class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    MainWindow(AppServices& services, const AppPaths& paths, QWidget* parent = nullptr);
    ~MainWindow() override;

    // Shows the main window, then the welcome window inside it.
    void start();
    // What quitting does once the user agreed; by default it ends the event loop.
    void setQuitAction(std::function<void()> quit) { mQuit = std::move(quit); }

    ProjectSession& session() const { return *mSession; }
    // The open project's test run, live while its game runs.
    LiveTestRun& testRun() const { return *mTestRun; }
    QMdiArea* mdiArea() const { return mArea; }
    // The control panel, made (hidden) the first time anything needs it.
    ControlPanel* controlPanel();
    // The finalising window: built on request, a window of its own.
    SendToPsp* sendtopsp();
    // The shared event editor window, made (hidden) on first use.
    EventEditor* eventEditor();
    QList<MapEditor*> mapEditors() const;

public slots:
    void showWelcome();
    void showNouvprojet();
    void showOpenp();
    void showControlPanel();
    void showCombatEditor();
    void showGameOptions();
    void showVarEditor();
    // "Finaliser le jeu...": the finalising window, read again for the open project.
    void showSendToPsp();
    // "Parties enregistrées" and "Vérifier le jeu" (which starts the verification).
    void showPlays();
    void showVerification();
    void openDocumentation();
    // "Quitter": asks first; with unsaved edits, whether to save them.
    void quit();
    // Shows map n: brings its map editor to the front, or opens one to the right of the
    // control panel.
    MapEditor* handOverMap(int n);
    // Shows the shared event editor on a cell of a map.
    void editEvent(const QString& mapNumber, int row, int column);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    QMdiSubWindow* addChild(QWidget* widget, bool deleteOnClose);
    void bringUp(QMdiSubWindow* sub);
    void closeChild(QWidget* widget);
    void onSubWindowActivated(QMdiSubWindow* sub);
    // Before another project replaces this one: every window of it closes, each asking about
    // its unsaved edits. False when the user kept them ("Annuler").
    bool closeProject();
    void projectBecameCurrent(const QString& name, QWidget* from);
    QMdiSubWindow* controlPanelWindow();
    // With unsaved edits: "Enregistrer les modifications avant de quitter ?"; false to stay.
    bool maySaveBeforeQuitting();
    // The menu "Jeu": test run (restart while live), recorded plays, verification.
    void addGameMenu();

    AppServices& mServices;
    ProjectSession* mSession;
    LiveTestRun* mTestRun;
    QMdiArea* mArea;
    QAction* mTestAction = nullptr;
    std::function<void()> mQuit;
    ControlPanel* mControl = nullptr;
    QMdiSubWindow* mControlWindow = nullptr;
    QPointer<QMdiSubWindow> mWelcome;
    QPointer<QMdiSubWindow> mNouvprojet;
    QPointer<QMdiSubWindow> mOpenp;
    QPointer<QMdiSubWindow> mCombatEditor;
    QPointer<QMdiSubWindow> mGameOptions;
    QPointer<QMdiSubWindow> mVarEditor;
    QPointer<EventEditor> mEventEditor;
    QPointer<QMdiSubWindow> mEventEditorWindow;
    QPointer<QMdiSubWindow> mLastActive;
    QPointer<SendToPsp> mSendToPsp;
    QPointer<QMdiSubWindow> mPlays;
    QPointer<QMdiSubWindow> mVerification;
};
