#pragma once

#include "events/commandpanels.h"

#include <QRect>
#include <QWidget>

#include <array>
#include <functional>

struct AppServices;
class ProjectSession;
class QGroupBox;
class QPushButton;
class ScriptDocument;

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
    // Only one sub-panel shown at a time (they share little room).
    bool onePanelAtATime = false;

    static EventColumnLayout eventEditor();
    static EventColumnLayout mapEditorPanel();
};

// The event commands as both event editors offer them: the column of command buttons, the
// sub-panels that collect a command's input, and the delete mode. Every command appends its
// line to the script document; the delete mode lets the script list remove lines.
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

signals:
    // The map chooser could not open: the map count is no whole number above 0.
    void mapChooserRefused();
    // A command of the column was used (its line may follow later, from a sub-panel).
    void used();

private:
    void toggle(CommandPanel* panel, const std::function<void()>& flip);
    void append(const QString& line);

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
};
