#pragma once

// "Vérifier le jeu": builds the game, then replays every kept play headless, one after the
// other in the background, and compares each end with the one kept.

#include "plays/playcomparison.h"
#include "plays/recordingstore.h"
#include "project/apppaths.h"

#include <QObject>
#include <QTemporaryDir>
#include <QTimer>

#include <memory>

class ProcessService;
class RunningProgram;

struct CheckResult {
    enum Outcome { Same, Different, Failed };
    Recording play;
    Outcome outcome = Failed;
    QStringList differences; // what differs, or why the replay failed
    QString expectedScreen;  // the kept last screen
    QString actualScreen;    // the replay's, while the runner lives
};

class VerificationRunner : public QObject {
    Q_OBJECT
public:
    VerificationRunner(AppPaths paths, ProcessService& processes, QObject* parent = nullptr);
    ~VerificationRunner() override;

    // Builds the game of the project and starts the replays. Empty when they started (also
    // when there is no check: finished() comes at once), else the French message of the build.
    QString start(const QString& project);
    bool isRunning() const { return mRunning; }
    void cancel();

    int total() const { return int(mChecks.size()); }
    const QList<CheckResult>& results() const { return mResults; }

signals:
    void progress(int done, int total);
    void checked(const CheckResult& result);
    void finished();

private:
    void next();
    void replayEnded(int exitCode);
    void timedOut();
    void record(CheckResult result);

    AppPaths mPaths;
    ProcessService& mProcesses;
    QString mProjectDir;
    QList<Recording> mChecks;
    QList<CheckResult> mResults;
    std::unique_ptr<QTemporaryDir> mOut;
    std::unique_ptr<RunningProgram> mReplay;
    QTimer mWatchdog;
    bool mRunning = false;
};
