#include "plays/livetestrun.h"

#include "build/processservice.h"
#include "plays/recordingstore.h"
#include "project/projectsession.h"

#include <QDateTime>

#include <algorithm>

LiveTestRun::LiveTestRun(ProjectSession& session, ProcessService& processes, QObject* parent)
    : QObject(parent), mSession(session), mProcesses(processes), mRebuild(session) {
    connect(&mRebuild, &LiveRebuild::failed, this, &LiveTestRun::liveBuildFailed);
    // The run belongs to the project it plays.
    connect(&session, &ProjectSession::projectChanged, this, &LiveTestRun::stop);
}

LiveTestRun::~LiveTestRun() {
    for (const auto& program : mPrograms)
        program->disconnect(this);
}

TestRunOutcome LiveTestRun::start(Start how) {
    const GamePreparation prepared = prepareGame(mSession.paths(), mSession.name());
    TestRunOutcome outcome;
    outcome.summary = prepared.summary;
    outcome.notice = prepared.notice;
    if (!prepared.ready) {
        outcome.error = prepared.error;
        return outcome;
    }
    if (how == Start::Restart)
        stop();
    const auto record = RecordingStore(mSession.folder()).newRecordFiles(QDateTime::currentDateTime());
    TestRunOutcome started = startTestPlayer(mSession.paths(), mProcesses, record ? &*record : nullptr);
    outcome.started = started.started;
    outcome.error = started.error;
    outcome.program = std::move(started.program);
    if (!outcome.program)
        return outcome;
    RunningProgram* program = outcome.program.get();
    mPrograms.push_back(std::move(outcome.program));
    connect(program, &RunningProgram::finished, this, [this, program] { ended(program); });
    if (mPrograms.size() == 1) {
        mRebuild.setActive(true);
        emit liveChanged(true);
    }
    return outcome;
}

void LiveTestRun::stop() {
    for (const auto& program : mPrograms)
        program->stop(); // ended() follows
}

void LiveTestRun::ended(RunningProgram* program) {
    const auto it = std::find_if(mPrograms.begin(), mPrograms.end(),
                                 [program](const auto& p) { return p.get() == program; });
    if (it == mPrograms.end())
        return;
    it->release()->deleteLater(); // let go of once its signal has returned
    mPrograms.erase(it);
    if (mPrograms.empty()) {
        mRebuild.setActive(false);
        emit liveChanged(false);
    }
    emit playRecorded();
}
