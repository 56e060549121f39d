#pragma once

#include "events/commandpanels.h"

#include <QRect>
#include <QWidget>

#include <array>
#include <functional>
#include <optional>

struct AppServices;
class ProjectSession;
class QAction;
class QGroupBox;
class QPushButton;
class QToolButton;
class ScriptDocument;
class ScriptList;

// Where a window puts the event commands: the names and places of the column's buttons, of the
// sub-panels beside it and of the delete-mode frame. Positions are the window's pixels.
struct EventColumnLayout {
    struct Button {
        const char* name;
        int y; // from the column's top
    };
    QPoint origin;
    int width = 121;
    // "Changer de carte", "Changer une variable", "Changer la vie du héro", "Démarrer un
    // combat", "Faire une pause", "Afficher du texte", "Faire une condition", "Fermer
    // condition", "Supprimer une ligne", in this order.
    std::array<Button, 9> buttons;
    CommandPanelNames panelNames;
    QRect mapChooser, variables, life, conditions;
    const char* deleteFrame;
    const char* deleteCancel;
    QRect deletePlace;
    // The two small buttons that move the current line up and down.
    QRect lineUp, lineDown;
    // Only one sub-panel shown at a time (they share little room).
    bool onePanelAtATime = false;

    static EventColumnLayout eventEditor();
    static EventColumnLayout mapEditorPanel();
};

// The event commands as both event editors offer them: the column of command buttons, the
// sub-panels that collect a command's input, and the delete mode. Every command appends its
// line to the script document; the delete mode lets the script list remove lines. With the
// script list attached, a line asked to be changed opens its command's prompt or sub-panel on
// the line's answers, and the new line takes the old one's place; the buttons "lineUp" and
// "lineDown" (Alt+Up, Alt+Down) move the current line, and F2 changes it.
class EventCommandColumn : public QWidget {
    Q_OBJECT
public:
    EventCommandColumn(AppServices& services, ProjectSession& session, ScriptDocument& script,
                       const EventColumnLayout& layout, QWidget* host);

    bool deleteMode() const;
    void leaveDeleteMode();
    // The map whose name the map chooser shows when it opens (map number text).
    void setChooserNameMap(std::function<QString()> nameMap) { mNameMap = std::move(nameMap); }
    QPushButton* button(int index) const { return mButtons[size_t(index)]; }
    // The host's script list: its edit requests, and the lines the move buttons move.
    void attachList(ScriptList* list);
    // Changes line `index` through the command that made it. False, with nothing opened, for
    // a line no command makes, or "end", which has nothing to change.
    bool editLine(int index);
    QAction* lineUpAction() const { return mLineUp; }
    QAction* lineDownAction() const { return mLineDown; }
    // "Modifier la ligne" (F2): changes the current line.
    QAction* editLineAction() const { return mEditLine; }

signals:
    // The map chooser could not open: the map count is no whole number above 0.
    void mapChooserRefused();
    // A command of the column was used (its line may follow later, from a sub-panel).
    void used();

private:
    void toggle(CommandPanel* panel, const std::function<void()>& flip);
    void append(const QString& line);
    // A sub-panel's line: it replaces the line being changed, if any, else it is appended.
    void deliver(const QString& line);
    void showOnly(CommandPanel* panel);
    void moveLine(int step);
    QToolButton* moveButton(QAction* action, const char* name, const QRect& place, QWidget* host);

    struct Change {
        int index;
        QString line; // as it was when the change began
    };

    AppServices& mServices;
    ScriptDocument& mScript;
    bool mOneAtATime;
    std::function<QString()> mNameMap;
    std::array<QPushButton*, 9> mButtons{};
    MapChooserPanel* mMapChooser;
    VariablesPanel* mVariables;
    LifePanel* mLife;
    ConditionsPanel* mConditions;
    QGroupBox* mDeleteFrame;
    ScriptList* mList = nullptr;
    QAction* mLineUp;
    QAction* mLineDown;
    QAction* mEditLine;
    std::optional<Change> mChange;
};
