#pragma once

#include <QString>
#include <QStringList>

#include <optional>

class ProjectFile;

// The game's numbered variables, kept in projet.ini: [Variables] nombre, and for each n,
// [Variable<n>] numero and valeur. Every change is written at once.

struct VariableListing {
    QString count;     // [Variables] nombre exactly as read
    QStringList lines; // "n | Valeur de départ : " + start value, one per variable
    QString error;     // French description when the count is not a number; empty otherwise
};

// One reading of the file, however many variables there are.
VariableListing listVariables(const ProjectFile& file);

// Why no variable can be added after `count` (not a number, or the most a project holds), or
// nothing when one can.
std::optional<QString> cannotAddAfter(const QString& count);

// Adds variable count + 1 with the start value. Nothing is written when the count is not a
// number, or when the project holds the most variables it may. Returns a French description
// of the failure ("Erreur : " is the caller's), or nothing on success. A write that fails
// keeps what was written before it.
std::optional<QString> addVariable(const ProjectFile& file, const QString& count,
                                   const QString& value);

// Sets the start value of variable n.
std::optional<QString> setStartValue(const ProjectFile& file, int n, const QString& value);
