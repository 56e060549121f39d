#pragma once

// The test run behind "Tester votre jeu": rebuild the game's scripts, write the launcher,
// check the Lua syntax, then start LuaPlayer on the launcher without waiting.

#include "build/compiler.h"

#include <QString>

struct AppPaths;
class ProcessService;

struct TestRunOutcome {
    BuildSummary summary; // for the control panel's summary fields
    bool started = false; // LuaPlayer was started
    QString error;        // French message for a box titled "Quendal"; empty when all went well
    QString notice;       // what the game was built without (skipped files); empty when nothing
};

// Builds the game of project `project` of the work folder and starts the player in the work
// folder on the launcher. Nothing is started when no project is given, when a script or the
// launcher cannot be written, or when the scripts do not compile.
TestRunOutcome tester(const AppPaths& paths, const QString& project, ProcessService& processes);
