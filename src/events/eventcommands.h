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

class ProjectIni;

// Entries of the variable list: "Variable1", "Variable2", ... up to [Variables] nombre. An
// empty, negative or non-numeric count gives no entry.
QStringList variableEntries(const ProjectIni& ini);

// Entries of the condition sub-panel: "Variable " k " de valeur initale : " + start value.
QStringList conditionEntries(const ProjectIni& ini);
