#pragma once

#include <QGroupBox>
#include <QString>

#include <optional>

struct AppServices;
class DialogService;
class ProjectSession;
class QButtonGroup;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QPushButton;
class QRadioButton;
class QScrollBar;

// The sub-panels that collect the input of an event command, shared by the event editor
// window and the map editor's event panel. Each is a frame, hidden at creation, that the
// host's command button shows or hides with toggle(); when the user confirms, the panel
// emits the Lua line it built with lineReady() (the host appends it to its script list) and
// hides itself. The panels read projet.ini afresh on every toggle.
//
// The control names differ between the two windows and are given by CommandPanelNames.
// Naming convention for control arrays: Qt gives a widget a single objectName, so element k
// of an indexed array such as "Option1" is named "Option1_k" and also carries the dynamic
// property "index" = k (tests: findChild<QRadioButton*>("Option1_3")).

struct CommandPanelNames {
    struct MapChooser {
        QString frame, caption, number, scroll, name, ok;
    };
    struct Variables {
        QString frame, list;
    };
    struct Life {
        QString frame;
        QString options; // array name; the elements are "<options>_<index>"
        int removeIndex, addIndex, replaceIndex;
        QString amount, ok;
    };
    struct Conditions {
        QString frame, caption, variables, operators, value, add;
    };
    MapChooser mapChooser;
    Variables variables;
    Life life;
    Conditions conditions;

    // Event editor window: Frame2/Label5/Label6/HScroll1/Label4/Command9, Frame1/List1,
    // Frame3/Option1 (0 "Retirer :", 1 "Ajouter :", 2 "Remplacer par :")/Text2/Command10,
    // Frame5/Label7/Combo1/Combo2/Text3/Command14.
    static CommandPanelNames eventEditor();
    // Map editor's event panel: Frame9/Label13/Label12/HScroll3/Label14/Command21,
    // Frame8/List1, Frame10/Option1 (5 "Retirer :", 4 "Ajouter :", 3 "Remplacer par :")/
    // Text2/Command22, Frame7/Label11/Combo1/Combo2/Text3/Command3.
    static CommandPanelNames mapEditorPanel();
};

// Base of the sub-panels: the shown/hidden toggle and the lineReady signal.
class CommandPanel : public QGroupBox {
    Q_OBJECT
public:
    CommandPanel(const QString& title, AppServices& services, ProjectSession& session,
                 QWidget* parent);

    // Puts the panel at its place over the hosting window's controls: opaque, so that the
    // panel on top hides what lies below it, compact, and grown where its captions need more
    // room than the place gives.
    void placeAt(const QRect& place);

signals:
    void lineReady(const QString& line);

protected:
    // Shows the panel when hidden, hides it otherwise.
    void flip() { setVisible(isHidden()); }
    AppServices& mServices;
    ProjectSession& mSession;
};

// "Charger une carte": map number label, scroll bar over maps 1 to [Jeu] cartes, map name,
// "OK" giving runmap("MM") with MM exactly as the number label shows it.
class MapChooserPanel : public CommandPanel {
    Q_OBJECT
public:
    MapChooserPanel(AppServices& services, ProjectSession& session,
                    const CommandPanelNames::MapChooser& names, QWidget* parent = nullptr);

    // Shows or hides the panel, makes the map count the scroll bar's maximum and shows the
    // name of map nameMap (map number text: the event editor passes "01", the map editor its
    // current map); the number label and the scroll bar keep their value. Returns false, and
    // leaves the panel hidden, when [Jeu] cartes is missing, not a whole number or below 1:
    // the host then tells the user (and the event editor adds a first map when it is 0).
    bool toggle(const QString& nameMap);
    // Shows the panel on map mapText (as a line holds it), to change that line. False, as
    // toggle(), when the map count is unreadable.
    bool openOn(const QString& mapText);

    QString chosenMap() const;

private:
    void showChosenMap(int value);
    void confirm();

    QLabel* mNumber;
    QScrollBar* mScroll;
    QLabel* mName;
    QPushButton* mOk;
};

// "Variables": one entry "Variable" k per variable; a click asks for the new value and gives
// var[k] = "V" (Cancel gives the empty value).
class VariablesPanel : public CommandPanel {
    Q_OBJECT
public:
    VariablesPanel(AppServices& services, ProjectSession& session,
                    const CommandPanelNames::Variables& names, QWidget* parent = nullptr);

    // Shows or hides the panel and rebuilds the list from [Variables] nombre.
    void toggle();
    // Shows the panel with variable k chosen, to change a line: the prompt then opens on
    // `value`.
    void openOn(int variable, const QString& value);

private:
    void choose(QListWidgetItem* item);
    void rebuild();

    QListWidget* mList;
    QString mAnswer; // the prompt's field as it opens
};

// "Changer la vie du héro": options "Retirer :", "Ajouter :", "Remplacer par :" (none chosen
// at first), amount "0" and "OK". OK gives the line of the chosen option, or nothing, and
// hides the panel either way; the choice and the amount stay for the next time.
class LifePanel : public CommandPanel {
    Q_OBJECT
public:
    LifePanel(AppServices& services, ProjectSession& session,
                    const CommandPanelNames::Life& names, QWidget* parent = nullptr);

    void toggle() { flip(); }
    // Shows the panel with the option and amount of a line, to change it.
    void openOn(bool remove, bool add, bool replace, const QString& amount);

private:
    void confirm();

    QRadioButton* mRemove;
    QRadioButton* mAdd;
    QRadioButton* mReplace;
    QLineEdit* mAmount;
};

// "Conditions": "Si", the variable list ("Variable k de valeur initale : " + start value),
// the operators "=" and "!", the value "0" and "Ajouter". Ajouter gives the condition line
// and hides the panel only when a variable and an operator are chosen.
class ConditionsPanel : public CommandPanel {
    Q_OBJECT
public:
    ConditionsPanel(AppServices& services, ProjectSession& session,
                    const CommandPanelNames::Conditions& names, QWidget* parent = nullptr);

    // Shows or hides the panel and rebuilds the variable list (no variable chosen); the
    // operator keeps its choice.
    void toggle();
    // Shows the panel on the variable, operator ("=" or "!") and value of a line, to change it.
    void openOn(int variable, const QString& op, const QString& value);

private:
    void confirm();
    void rebuild();

    QComboBox* mVariables;
    QComboBox* mOperators;
    QLineEdit* mValue;
};

// The two commands that ask through a prompt box (title "Quendal").
namespace promptcommands {
// "Afficher du texte": prompt "Taper le texte :"; Cancel gives the empty text, and the line
// is given in every case.
QString textLine(DialogService& dialogs, QWidget* parent);
// "Faire une pause": prompt "Tapez le temps en frame"; an answer that is no whole number of
// frames (Cancel included) shows "Valeur incorrect !" with the error icon and gives nothing.
std::optional<QString> pauseLine(DialogService& dialogs, QWidget* parent);
// Changing a line of these commands: the same prompts, opening on the answer the line holds.
// Cancel gives nothing (the line stays as it is); a wrong pause shows "Valeur incorrect !".
std::optional<QString> changedTextLine(DialogService& dialogs, QWidget* parent,
                                       const QString& text);
std::optional<QString> changedPauseLine(DialogService& dialogs, QWidget* parent, int frames);
} // namespace promptcommands
