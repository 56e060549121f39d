#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

#include <memory>

// A program started by Quendal whose end it follows (the player of a test run, a replay).
class RunningProgram : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    virtual bool isRunning() const = 0;
    // Asks the program to end (as closing its window would), and ends it at once when it has
    // not within a few seconds. finished() is emitted either way.
    virtual void stop() = 0;

signals:
    // The program ended; exitCode is -1 when it crashed or could not run.
    void finished(int exitCode);
};

// Starting outside programs (the player), behind a small service that tests replace.
class ProcessService {
public:
    virtual ~ProcessService() = default;
    // Starts the program without waiting; false when it could not be started.
    virtual bool startDetached(const QString& program, const QStringList& arguments,
                               const QString& workingDirectory) = 0;
    // Starts the program and follows it; nothing when it could not be started. Its standard
    // output and error go to Quendal's own.
    virtual std::unique_ptr<RunningProgram> start(const QString& program,
                                                  const QStringList& arguments,
                                                  const QString& workingDirectory) = 0;
};

class SystemProcessService : public ProcessService {
public:
    bool startDetached(const QString& program, const QStringList& arguments,
                       const QString& workingDirectory) override;
    std::unique_ptr<RunningProgram> start(const QString& program, const QStringList& arguments,
                                          const QString& workingDirectory) override;
};
