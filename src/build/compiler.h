#pragma once

// Generation of the project's variables.lua and ev.lua from projet.ini and the event script
// files of every map cell.

#include <QList>
#include <QString>
#include <QStringList>

// The four values the control panel's "Votre jeu :" frame shows, exactly as read.
struct BuildSummary {
    QString name;    // project folder name
    QString author;  // [Jeu] Auteur
    QString maps;    // [Jeu] cartes
    QString combats; // [Jeu] combats
};

// A cell whose event script file holds something, with that content as read.
struct CellScript {
    int map = 0;
    int row = 0;
    int column = 0;
    QString content;
};

// Texts as handed to writefile (which adds one CR LF), and what they were made from.
struct GameScripts {
    QString variables;
    QString events;
    QStringList startValues; // start value of variable i at index i - 1
    QList<CellScript> cells; // non-empty cells, in the order of ev.lua
};

struct CompileResult {
    BuildSummary summary;
    GameScripts scripts;
    QString variablesPath;
    QString eventsPath;
    bool variablesWritten = false;
    bool eventsWritten = false;
};

// Event cells: rows 1..9, columns 1..17 of every map.
inline constexpr int kEventRows = 9;
inline constexpr int kEventColumns = 17;

// Builds both texts in memory. A missing or non-numeric count ([Jeu] cartes,
// [Variables] nombre) counts as 0.
GameScripts buildGameScripts(const QString& appDir, const QString& project,
                             BuildSummary* summary = nullptr);

// Builds both texts, writes variables.lua then ev.lua into the project folder and tells
// which writes succeeded.
CompileResult compiler(const QString& appDir, const QString& project);
