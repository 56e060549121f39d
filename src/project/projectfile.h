#pragma once

#include "project/inifile.h"

#include <QString>
#include <QStringList>

#include <optional>

// The keys of a project's projet.ini, each spelled once here. ProjectIni is one reading of the
// file, parsed once, that answers typed questions; ProjectFile reads and writes the file
// through the shared INI helpers, so hand edits show at the next read.

// Every count read from the file is capped here before anything loops over it, and adding a
// map or a variable past it is refused.
inline constexpr int kMaxCount = 10000;

class ProjectIni {
public:
    ProjectIni() : mIndex(QString()) {}
    explicit ProjectIni(const QString& text) : mIndex(text) {}

    QString gameName() const;       // [Jeu] nom
    QString author() const;         // [Jeu] auteur
    QString mapCountText() const;   // [Jeu] cartes, as stored ("02")
    QString combatsText() const;    // [Jeu] combats, as stored
    // [Jeu] cartes as a whole number; nothing when missing or not a number.
    std::optional<int> mapCount() const;
    // How many maps there are to go through: the count, 0 when it is no number or below 0,
    // at most kMaxCount.
    int mapsToVisit() const;

    QString mapName(const QString& nn) const;    // [Carte<NN>] nom
    QString mapTexture(const QString& nn) const; // [Carte<NN>] texture, as stored
    QStringList mapNames() const;                // of maps 1 .. mapsToVisit()

    QString variableCountText() const;                // [Variables] nombre, as stored
    std::optional<int> variableCount() const;
    int variablesToVisit() const;                     // as mapsToVisit()
    QString startValue(int n) const;                  // [Variable<n>] valeur
    QStringList startValues() const;                  // of variables 1 .. variablesToVisit()

private:
    IniIndex mIndex;
};

class ProjectFile {
public:
    explicit ProjectFile(QString path) : mPath(std::move(path)) {}

    const QString& path() const { return mPath; }
    ProjectIni read() const;

    // The keys of a new project, in the order creation writes them.
    bool writeNewProject(const QString& name, const QString& author) const;
    bool setMapName(const QString& nn, const QString& name) const;
    bool setMapTexture(const QString& nn, const QString& set) const;
    // The keys of a new map NN ("Carte 1", texture set 01), then cartes = NN.
    bool addMapEntry(const QString& nn) const;
    // Variable n with its start value (numero, valeur), then nombre = n.
    bool addVariable(int n, const QString& value) const;
    bool setStartValue(int n, const QString& value) const;

private:
    QString mPath;
};
