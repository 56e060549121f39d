#pragma once

// Records what would have been started; followed ones run until finished, or for real.

#include "build/processservice.h"

#include <QList>
#include <QPointer>
#include <QStringList>

// A program that runs until the test calls finish() or Quendal stops it.
class FakeProgram : public RunningProgram {
public:
    bool isRunning() const override { return mRunning; }
    void stop() override {
        ++stops;
        finish(0);
    }
    void finish(int exitCode) {
        if (!mRunning)
            return;
        mRunning = false;
        emit finished(exitCode);
    }
    int stops = 0;

private:
    bool mRunning = true;
};

class RecordingProcessService : public ProcessService {
public:
    struct Start {
        QString program;
        QStringList arguments;
        QString workingDirectory;
        bool followed = false; // start(), not startDetached()
    };
    bool startDetached(const QString& program, const QStringList& arguments,
                       const QString& workingDirectory) override {
        started.append({program, arguments, workingDirectory, false});
        return succeed;
    }
    std::unique_ptr<RunningProgram> start(const QString& program, const QStringList& arguments,
                                          const QString& workingDirectory) override {
        started.append({program, arguments, workingDirectory, true});
        if (!succeed)
            return nullptr;
        if (runForReal)
            return SystemProcessService().start(program, arguments, workingDirectory);
        auto fake = std::make_unique<FakeProgram>();
        programs.append(fake.get());
        return fake;
    }
    // The fake programs still alive, in the order they were started.
    QList<QPointer<FakeProgram>> programs;
    QList<Start> started;
    bool succeed = true;
    bool runForReal = false;
};
