#pragma once

#include "plays/livetestrun.h"

#include <QWidget>

struct AppServices;
class ProjectSession;
class QLabel;
class QListWidget;
struct BuildSummary;

// The control panel `Controlpanel`: the hub of the open project. Its Tag shows the project
// folder name of the session. activate() re-reads the project; the main window calls it
// whenever the panel's child window becomes active.
class ControlPanel : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QString Tag READ tag NOTIFY tagChanged)
public:
    ControlPanel(AppServices& services, ProjectSession& session, LiveTestRun& testRun,
                 QWidget* parent = nullptr);

    QString tag() const;

public slots:
    void activate();
    // Saves every unsaved map and event script of the project, builds the game and starts it
    // under LuaPlayer. The button "Tester votre jeu" starts one more player each time; the
    // menu item "Relancer le jeu" restarts the running game instead.
    void tester();
    void restartGame();

signals:
    void tagChanged(const QString& name);
    // The panel finished reading the project; the main window hides the welcome window and
    // moves the panel to the top left corner.
    void activated();
    // Closed because no project is current.
    void closeRequested();
    void mapRequested(int number);
    void combatEditorRequested();
    void gameOptionsRequested();
    void variablesRequested();

private:
    void startGame(LiveTestRun::Start how);
    void showSummary(const BuildSummary& summary);
    void showMapNames();

    AppServices& mServices;
    ProjectSession& mSession;
    LiveTestRun& mTestRun;
    QLabel* mName;
    QLabel* mAuthor;
    QLabel* mMaps;
    QLabel* mCombats;
    QListWidget* mList;
};
