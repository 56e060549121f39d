#pragma once

// Generation of the project's variables.lua, ev.lua and infos.lua from projet.ini and the
// event script files of every map cell. Everything works from the project folder alone, so a
// command-line program can build a game linking only this library.

#include <QList>
#include <QString>
#include <QStringList>

// The four values the control panel's "Votre jeu :" frame shows, exactly as read.
struct BuildSummary {
    QString name;    // project folder name
    QString author;  // [Jeu] auteur
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
    QString infos; // the game's name and author, for the engine's title screen
    QStringList startValues; // start value of variable i at index i - 1
    QList<CellScript> cells; // non-empty cells, in the order of ev.lua
    // Event "files" left out because they are no regular files of the project (links,
    // named pipes); their cells count as empty.
    QStringList skipped;
};

struct CompileResult {
    BuildSummary summary;
    GameScripts scripts;
    QString variablesPath;
    QString eventsPath;
    QString infosPath;
    bool variablesWritten = false;
    bool eventsWritten = false;
    bool infosWritten = false;
};

// Builds the texts in memory from the project folder. A missing or non-numeric count
// ([Jeu] cartes, [Variables] nombre) counts as 0; counts are capped at kMaxCount.
GameScripts buildGameScripts(const QString& projectDir, BuildSummary* summary = nullptr);

// Builds the texts, writes variables.lua, then ev.lua, then infos.lua into the project folder
// and tells which writes succeeded.
CompileResult compiler(const QString& projectDir);

// A Lua string literal holding the text as it stands (quotes, backslashes and line breaks
// escaped), for the files the build writes of its own.
QString luaString(const QString& text);
