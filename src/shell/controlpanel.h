#pragma once

#include <QWidget>

struct AppServices;
class QLabel;
class QListWidget;
struct BuildSummary;

// The control panel `Controlpanel`: the hub of the open project. Its Tag holds the project
// folder name, the one piece of global state: every window reads it from here each time it
// builds a project path. activate() re-reads the project; the main window calls it whenever
// the panel's child window becomes active.
class ControlPanel : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QString Tag READ tag WRITE setTag NOTIFY tagChanged)
public:
    explicit ControlPanel(AppServices& services, QWidget* parent = nullptr);

    QString tag() const { return mTag; }
    void setTag(const QString& name);

public slots:
    void activate();
    // Builds the game and starts it under LuaPlayer (button "Tester votre jeu").
    void tester();

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
    void showSummary(const BuildSummary& summary);

    AppServices& mServices;
    QString mTag;
    QLabel* mName;
    QLabel* mAuthor;
    QLabel* mMaps;
    QLabel* mCombats;
    QListWidget* mList;
};
