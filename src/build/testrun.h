#pragma once

// The test run behind "Tester votre jeu": rebuild the game's scripts, write the launcher,
// check the Lua syntax, then start LuaPlayer on the launcher and follow it.

#include "build/compiler.h"

#include <QString>
#include <QStringList>

#include <memory>

struct AppPaths;
class ProcessService;
class RunningProgram;

// A game built and checked, ready for the player.
struct GamePreparation {
    BuildSummary summary; // for the control panel's summary fields
    bool ready = false;
    QString error;  // French message for a box titled "Quendal"; empty when all went well
    QString notice; // what the game was built without (skipped files); empty when nothing
};

// Builds the game of project `project` of the work folder: its scripts, the launcher, the
// syntax check. Not ready when no project is given, when a script or the launcher cannot be
// written, or when the scripts do not compile.
GamePreparation prepareGame(const AppPaths& paths, const QString& project);

// Where the player keeps the record of a run: the pad frame by frame, the last screen, and
// where the game stood at the end.
struct RunRecordFiles {
    QString pad;
    QString screen;
    QString state;
};

// The player's arguments for a test run: live changes on, the record when given, the launcher.
QStringList testRunArguments(const RunRecordFiles* record);

struct TestRunOutcome {
    BuildSummary summary;
    bool started = false; // LuaPlayer was started
    QString error;
    QString notice;
    std::unique_ptr<RunningProgram> program; // the player, while it runs
};

// Starts the player on the launcher of a prepared game, in the work folder, recording the run
// into `record` when given. The outcome holds the program, or the French message.
TestRunOutcome startTestPlayer(const AppPaths& paths, ProcessService& processes,
                               const RunRecordFiles* record = nullptr);

// Prepares the game and starts the player in the work folder on the launcher, recording the
// run into `record` when given. Nothing is started when the game is not ready.
TestRunOutcome tester(const AppPaths& paths, const QString& project, ProcessService& processes,
                      const RunRecordFiles* record = nullptr);
