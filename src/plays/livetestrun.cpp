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
    stop();
    const auto record = RecordingStore(mSession.folder()).newRecordFiles(QDateTime::currentDateTime());
    TestRunOutcome outcome = tester(mSession.paths(), mSession.name(), mProcesses,
                                    record ? &*record : nullptr);
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
