#include "plays/verificationrunner.h"

#include "build/processservice.h"
#include "build/testrun.h"
#include "plays/playreplay.h"

#include <QFile>
#include <QImage>

#include <algorithm>

namespace {

// A replay runs far faster than the play; one that takes longer than the play itself, plus
// this, is stuck.
constexpr int kSpareMs = 30000;

GameState stateIn(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? parseGameState(file.readAll()) : GameState();
}

} // namespace

VerificationRunner::VerificationRunner(AppPaths paths, ProcessService& processes, QObject* parent)
    : QObject(parent), mPaths(std::move(paths)), mProcesses(processes) {
    mWatchdog.setSingleShot(true);
    connect(&mWatchdog, &QTimer::timeout, this, &VerificationRunner::timedOut);
}

VerificationRunner::~VerificationRunner() {
    cancel();
}

QString VerificationRunner::start(const QString& project) {
    cancel();
    const GamePreparation prepared = prepareGame(mPaths, project);
    if (!prepared.ready)
        return prepared.error;
    mProjectDir = mPaths.projectFolder(project);
    mChecks = RecordingStore(mProjectDir).checks();
    mResults.clear();
    mOut = std::make_unique<QTemporaryDir>();
    mRunning = true;
    emit progress(0, total());
    QTimer::singleShot(0, this, &VerificationRunner::next);
    return QString();
}

void VerificationRunner::cancel() {
    mWatchdog.stop();
    if (mReplay) {
        mReplay->disconnect(this);
        mReplay->stop();
        mReplay.reset();
    }
    mRunning = false;
}

void VerificationRunner::next() {
    if (!mRunning)
        return;
    if (mResults.size() == mChecks.size()) {
        mRunning = false;
        emit finished();
        return;
    }
    const Recording& play = mChecks[mResults.size()];
    const RecordingStore store(mProjectDir);
    const QString out = mOut->filePath(play.id);
    mReplay = mProcesses.start(mPaths.playerPath,
                               replayArguments(store, play, true, out + QStringLiteral(".png"),
                                               out + QStringLiteral(".etat")),
                               mProjectDir);
    if (!mReplay) {
        CheckResult failed{play, CheckResult::Failed,
                           {QStringLiteral("Impossible de démarrer LuaPlayer (") + mPaths.playerPath +
                            QStringLiteral(").")},
                           store.screenPath(play.id), QString()};
        record(std::move(failed));
        return;
    }
    connect(mReplay.get(), &RunningProgram::finished, this, &VerificationRunner::replayEnded);
    mWatchdog.start(int(std::min<qint64>(play.frames * 1000 / 60 + kSpareMs, 24 * 3600 * 1000)));
}

void VerificationRunner::replayEnded(int exitCode) {
    mWatchdog.stop();
    // The program is let go of once its signal has returned.
    mReplay.release()->deleteLater();
    const Recording& play = mChecks[mResults.size()];
    const RecordingStore store(mProjectDir);
    CheckResult result;
    result.play = play;
    result.expectedScreen = store.screenPath(play.id);
    result.actualScreen = mOut->filePath(play.id + QStringLiteral(".png"));
    if (exitCode < 0) {
        result.differences << QStringLiteral("Le joueur s'est arrêté en cours de rejeu.");
        record(std::move(result));
        return;
    }
    const PlayVerdict verdict =
        comparePlays(QImage(result.expectedScreen), play.end, QImage(result.actualScreen),
                     stateIn(mOut->filePath(play.id + QStringLiteral(".etat"))));
    result.outcome = verdict.same ? CheckResult::Same : CheckResult::Different;
    result.differences = verdict.differences;
    record(std::move(result));
}

void VerificationRunner::timedOut() {
    if (!mReplay)
        return;
    mReplay->disconnect(this);
    mReplay->stop();
    mReplay.reset();
    const Recording& play = mChecks[mResults.size()];
    record({play, CheckResult::Failed, {QStringLiteral("Le rejeu ne s'est pas terminé à temps.")},
            RecordingStore(mProjectDir).screenPath(play.id), QString()});
}

void VerificationRunner::record(CheckResult result) {
    mResults.append(std::move(result));
    emit checked(mResults.last());
    emit progress(int(mResults.size()), total());
    QTimer::singleShot(0, this, &VerificationRunner::next);
}
