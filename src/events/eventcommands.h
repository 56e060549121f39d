#pragma once

// The event commands both editors offer: each builds one Lua line from the user's answers,
// inserted as typed (no trimming, no escaping). A command that cannot build its line gives
// nothing.

#include <QString>
#include <QStringList>

#include <optional>

// "Changer la vie du héro": the options are tested in the order remove, add, replace; with
// none chosen there is no line. The amount is used as typed, even empty.
std::optional<QString> lifeLine(bool remove, bool add, bool replace, const QString& amount);

// "Afficher du texte": affichertexte("T").
QString textLine(const QString& text);

// "Faire une pause": the answer as a whole number of frames. Blanks around it are ignored, a
// sign is accepted, a decimal fraction ("." or ",") is rounded half to even; the result must
// lie in -32768..32767. Anything else is nothing.
std::optional<int> pauseFrames(const QString& answer);
// screen.waitVblankStart(N), or nothing when pauseFrames gives nothing; the window then
// shows kPauseError.
std::optional<QString> pauseLine(const QString& answer);
inline const QString kPauseError = QStringLiteral("Valeur incorrect !");

// "Changer une variable": var[K] = "V".
QString variableLine(int variable, const QString& value);

// "Faire une condition": op "=" gives ==, "!" gives ~=; the value is compared as a string.
// Nothing unless the variable (from 1) and the operator are both chosen.
std::optional<QString> conditionLine(int variable, const QString& op, const QString& value);

// "Fermer condition".
QString closeConditionLine();

// "Changer de carte": runmap("MM") with the map number text as shown.
QString mapChangeLine(const QString& mapText);

// A line as the command that made it gives it back: which command, and the answers it was
// built from, so that the command can change it. Building the line again from these answers
// gives the same line.
struct CommandLine {
    enum Kind { MapChange, Variable, Life, Pause, Text, Condition, CloseCondition };
    enum LifeChange { Remove, Add, Replace };
    Kind kind = CloseCondition;
    QString map;                 // MapChange: the map number text
    int variable = 0;            // Variable, Condition: from 1
    QString value;               // Variable, Condition: the value; Text: the text; Life: amount
    LifeChange life = Replace;   // Life
    QString op;                  // Condition: "=" or "!"
    int frames = 0;              // Pause
};

// The command a line comes from, or nothing for a line no command makes (a comment, a line
// written by hand).
std::optional<CommandLine> commandOfLine(const QString& line);
// The line a command makes from these answers.
QString lineOfCommand(const CommandLine& command);

// How deep each line lies in the blocks the lines open and close ("if ... then" to "end",
// "else" and "elseif" between; loops and functions too): 0 outside any block. A line that
// closes a block lies at the depth of the line that opened it; an "end" too many stays at 0.
QList<int> indentLevels(const QStringList& lines);

class ProjectIni;

// Entries of the variable list: "Variable1", "Variable2", ... up to [Variables] nombre. An
// empty, negative or non-numeric count gives no entry.
QStringList variableEntries(const ProjectIni& ini);

// Entries of the condition sub-panel: "Variable " k " de valeur initale : " + start value.
QStringList conditionEntries(const ProjectIni& ini);
