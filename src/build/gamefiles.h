#pragma once

// What a finalised game holds: exactly the files the game needs to run, each under the name
// the engine uses for it, and nothing of the editor (no projet.ini, no event script sources).

#include <QByteArray>
#include <QList>
#include <QString>

struct AppPaths;

struct GameFile {
    QString relative;  // inside the game's folder, "/" between names, in the engine's letter case
    QString source;    // the file copied; empty for a file made here (see bytes)
    QByteArray bytes;  // content of a file made here
    qint64 size = 0;
};

struct GameFiles {
    QList<GameFile> files; // no two names differ only in letter case
    qint64 bytes = 0;
    QString missing;       // a file the game cannot run without and that is missing, or empty
};

// The files of the game of the project folder:
// - the engine scripts: index.lua and every script the engine's scripts name, found again in
//   what they name, with variables.lua and ev.lua as the build wrote them;
// - any other file of the project that a script names by a quoted path (an image loaded by
//   an event, for instance);
// - the pictures the engine loads by names it builds: interface images and hero sprites;
// - per map, its map file, its collision file when there is one and its tile sheet;
// - the sounds folder sons/ whole, when the project has one;
// - with a console player folder, every file in it and a script.lua that starts index.lua
//   (the console's LuaPlayer starts script.lua of its own folder).
// Project files are found in any letter case; they keep the engine's spelling.
GameFiles listGameFiles(const QString& projectDir, const QString& consolePlayerDir = QString());

// Where the user puts a console build of LuaPlayer: luaplayer-psp/ in the application folder,
// beside the supplied data/.
QString consolePlayerFolder(const AppPaths& paths);
// A console LuaPlayer is there: the folder holds its EBOOT.PBP, in any letter case.
bool hasConsolePlayer(const QString& folder);

// The content of the script.lua added with the console player.
inline constexpr char kConsoleStartScript[] = "dofile(\"index.lua\")\r\n";
