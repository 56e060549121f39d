#pragma once

// The test run of the open project. "Tester votre jeu" starts the player and follows it; while
// it runs the game is live: every save of a map, an event script or the variables rebuilds
// the game's scripts and reaches the running game. Each run is recorded into the project's
// plays (parties/).

#include "build/liverebuild.h"
#include "build/testrun.h"

#include <QObject>

#include <memory>
#include <vector>

class ProcessService;
class ProjectSession;
class RunningProgram;

class LiveTestRun : public QObject {
    Q_OBJECT
public:
    LiveTestRun(ProjectSession& session, ProcessService& processes, QObject* parent = nullptr);
    ~LiveTestRun() override;

    enum class Start {
        Another, // the control panel's button: one more player, as every press always started
        Restart, // "Relancer le jeu": the running players end once the new game is ready
    };

    bool isLive() const { return !mPrograms.empty(); }
    // Builds the game and starts it, recording the play. A game that cannot be built leaves
    // the running ones as they are. The outcome holds no program: this object keeps it.
    TestRunOutcome start(Start how = Start::Restart);
    // Ends the live runs (their plays are still recorded).
    void stop();
    LiveRebuild& rebuild() { return mRebuild; }

signals:
    void liveChanged(bool live);
    // A save while the game runs made scripts that do not compile; the game goes on.
    void liveBuildFailed(const QString& message);
    // A run ended: its play is in the project's plays.
    void playRecorded();

private:
    void ended(RunningProgram* program);

    ProjectSession& mSession;
    ProcessService& mProcesses;
    LiveRebuild mRebuild;
    std::vector<std::unique_ptr<RunningProgram>> mPrograms;
};
