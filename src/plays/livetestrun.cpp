#include "plays/livetestrun.h"

#include "build/processservice.h"
#include "plays/recordingstore.h"
#include "project/projectsession.h"

#include <QDateTime>

LiveTestRun::LiveTestRun(ProjectSession& session, ProcessService& processes, QObject* parent)
    : QObject(parent), mSession(session), mProcesses(processes), mRebuild(session) {
    connect(&mRebuild, &LiveRebuild::failed, this, &LiveTestRun::liveBuildFailed);
    // The run belongs to the project it plays.
    connect(&session, &ProjectSession::projectChanged, this, &LiveTestRun::stop);
}

LiveTestRun::~LiveTestRun() {
    if (mProgram)
        mProgram->disconnect(this);
}

TestRunOutcome LiveTestRun::start() {
    const GamePreparation prepared = prepareGame(mSession.paths(), mSession.name());
    TestRunOutcome outcome;
    outcome.summary = prepared.summary;
    outcome.notice = prepared.notice;
    if (!prepared.ready) {
        outcome.error = prepared.error;
        return outcome;
    }
    stop();
    const auto record = RecordingStore(mSession.folder()).newRecordFiles(QDateTime::currentDateTime());
    TestRunOutcome started = startTestPlayer(mSession.paths(), mProcesses, record ? &*record : nullptr);
    outcome.started = started.started;
    outcome.error = started.error;
    outcome.program = std::move(started.program);
    if (!outcome.program)
        return outcome;
    mProgram = std::move(outcome.program);
    connect(mProgram.get(), &RunningProgram::finished, this, &LiveTestRun::ended);
    mRebuild.setActive(true);
    emit liveChanged(true);
    return outcome;
}

void LiveTestRun::stop() {
    if (mProgram)
        mProgram->stop(); // ended() follows
}

void LiveTestRun::ended() {
    if (!mProgram)
        return;
    mRebuild.setActive(false);
    mProgram.release()->deleteLater(); // let go of once its signal has returned
    emit liveChanged(false);
    emit playRecorded();
}
