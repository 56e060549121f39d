#pragma once

// The test run of the open project. "Tester votre jeu" starts the player and follows it; while
// it runs the game is live: every save of a map, an event script or the variables rebuilds
// the game's scripts and reaches the running game. Each run is recorded into the project's
// plays (parties/).

#include "build/liverebuild.h"
#include "build/testrun.h"

#include <QObject>

#include <memory>

class ProcessService;
class ProjectSession;
class RunningProgram;

class LiveTestRun : public QObject {
    Q_OBJECT
public:
    LiveTestRun(ProjectSession& session, ProcessService& processes, QObject* parent = nullptr);
    ~LiveTestRun() override;

    bool isLive() const { return mProgram != nullptr; }
    // Builds the game and starts it, recording the play. A live run is stopped once the new
    // game is ready, which makes "Relancer le jeu"; a game that cannot be built leaves it
    // running. The outcome holds no program: this object keeps it.
    TestRunOutcome start();
    // Ends the live run (its play is still recorded).
    void stop();
    LiveRebuild& rebuild() { return mRebuild; }

signals:
    void liveChanged(bool live);
    // A save while the game runs made scripts that do not compile; the game goes on.
    void liveBuildFailed(const QString& message);
    // A run ended: its play is in the project's plays.
    void playRecorded();

private:
    void ended();

    ProjectSession& mSession;
    ProcessService& mProcesses;
    LiveRebuild mRebuild;
    std::unique_ptr<RunningProgram> mProgram;
};
