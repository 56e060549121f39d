#pragma once

// Finalising: the game of a project copied into a folder the user chose (a memory stick,
// usually) as a folder named after the game that plays on its own. prepareExport() builds and
// checks the game and measures the destination without writing to it; copyGame() (gamecopy.h)
// then copies; checkExportedGame() (gamecheck.h) plays the copy.

#include "build/compiler.h"
#include "build/gamefiles.h"

#include <QString>

#include <functional>

struct AppPaths;

struct ExportChoice {
    QString destination;            // the folder the game's folder goes into
    bool withConsolePlayer = false; // "Mettre le LuaPlayer 0.20"
};

// Free room and allocation unit of the volume holding a folder; available < 0 when unknown.
struct VolumeSpace {
    qint64 available = -1;
    qint64 blockSize = 4096;
};
using VolumeProbe = std::function<VolumeSpace(const QString& folder)>;
VolumeSpace systemVolumeSpace(const QString& folder);

struct ExportPlan {
    QString gameName;     // the project's name
    QString folderName;   // gameFolderName(gameName)
    QString destination;  // absolute
    QString target;       // destination/folderName
    GameFiles files;
    qint64 needed = 0;    // room the files take on the destination, whole blocks
    bool replaces = false; // something of that name is there already
};

struct ExportPreparation {
    ExportPlan plan;
    BuildSummary summary; // of the build, for the control panel
    QString error;        // French message, ending with "Le jeu n'a pas été copié."; empty when the copy may start
};

// Checks the destination, rebuilds the game's scripts and checks their Lua as the test run
// does, lists the game's files and checks that the destination has room for them (the game
// already there counts for nothing: it is removed only once the new one is complete).
// Nothing is written to the destination. The caller saves the open documents first.
ExportPreparation prepareExport(const AppPaths& paths, const QString& project,
                                const ExportChoice& choice,
                                const VolumeProbe& probe = systemVolumeSpace);

// The game's files as the next build leaves them: variables.lua, ev.lua and infos.lua with the
// sizes the build will give them. Nothing is written; for the line shown before the copy.
GameFiles gameFilesAsBuilt(const QString& projectDir, const QString& consolePlayerDir);
// The line naming the game and its size: "Jeu : Aventure, 24 fichiers, 180,3 Ko".
QString gameLine(const QString& project, const GameFiles& files);
// The question asked before a game already there is replaced.
QString replaceQuestion(const ExportPlan& plan);
// Said when the copy is in place; checkError is what checkExportedGame() reported.
QString exportDoneText(const ExportPlan& plan, const QString& checkError);
