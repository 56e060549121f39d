#pragma once

// The test run behind "Tester votre jeu": rebuild the game's scripts, write the launcher,
// check the Lua syntax, then start LuaPlayer on the launcher without waiting.

#include "build/compiler.h"

#include <QString>

class ProcessService;

struct TestRunOutcome {
    BuildSummary summary; // for the control panel's summary fields
    bool started = false; // LuaPlayer was started
    QString error;        // French message for a box titled "Quendal"; empty when all went well
};

// Path of the player started on the launcher: <app>/luaplayer.
QString luaPlayerPath(const QString& appDir);

// Nothing is started when no project is given, when a script or the launcher cannot be
// written, or when the scripts do not compile.
TestRunOutcome tester(const QString& appDir, const QString& project, ProcessService& processes);
