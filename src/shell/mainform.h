#pragma once

#include <QMainWindow>
#include <QPointer>

#include <functional>

struct AppServices;
class ControlPanel;
class EventEditor;
class MapEditor;
class QMdiArea;
class QMdiSubWindow;
class SendToPsp;

// The main window `Mainform`: the menus and the area in which every other window of the
// program is a child window. Each kind of window is made on first use and brought to the
// front when shown again; a new map editor window is made for every map handed over.
class Mainform : public QMainWindow {
    Q_OBJECT
public:
    explicit Mainform(AppServices& services, QWidget* parent = nullptr);

    // Shows the main window, then the welcome window inside it.
    void start();
    // What "Quitter" does after Yes; by default it ends the event loop.
    void setQuitAction(std::function<void()> quit) { mQuit = std::move(quit); }

    QMdiArea* mdiArea() const { return mArea; }
    // The control panel, made (hidden) the first time anything needs it.
    ControlPanel* controlPanel();
    // The current project's folder name, held by the control panel's Tag.
    QString projectName();
    void setProjectName(const QString& name);
    // The finalising window: built on request, a window of its own; nothing opens it yet.
    SendToPsp* sendtopsp();
    // The shared event editor window, made (hidden) on first use.
    EventEditor* eventEditor();

public slots:
    void showWelcome();
    void showNouvprojet();
    void showOpenp();
    void showControlPanel();
    void showCombatEditor();
    void showGameOptions();
    void showVarEditor();
    void openDocumentation();
    void quit();
    // Opens map n in a new map editor window, to the right of the control panel.
    MapEditor* handOverMap(int n);
    // Shows the shared event editor on a cell of a map.
    void editEvent(const QString& mapNumber, int row, int column);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QMdiSubWindow* addChild(QWidget* widget, bool deleteOnClose);
    void bringUp(QMdiSubWindow* sub);
    void closeChild(QWidget* widget);
    void onSubWindowActivated(QMdiSubWindow* sub);
    void projectBecameCurrent(const QString& name, QWidget* from);
    QMdiSubWindow* controlPanelWindow();

    AppServices& mServices;
    QMdiArea* mArea;
    std::function<void()> mQuit;
    ControlPanel* mControl = nullptr;
    QMdiSubWindow* mControlWindow = nullptr;
    QPointer<QMdiSubWindow> mWelcome;
    QPointer<QMdiSubWindow> mNouvprojet;
    QPointer<QMdiSubWindow> mOpenp;
    QPointer<QMdiSubWindow> mCombatEditor;
    QPointer<QMdiSubWindow> mGameOptions;
    QPointer<QMdiSubWindow> mVarEditor;
    EventEditor* mEventEditor = nullptr;
    QMdiSubWindow* mEventEditorWindow = nullptr;
    QPointer<QMdiSubWindow> mLastActive;
    QPointer<SendToPsp> mSendToPsp;
};
