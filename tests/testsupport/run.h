#pragma once

// Runs a program to its end and keeps what it wrote.

#include <QProcess>

struct ProgramRun {
    int exitCode = -1; // stays -1 when the program crashed or did not end in time
    QByteArray out;
    QByteArray err;
};

inline ProgramRun runProgram(const QString& program, const QStringList& arguments, const QString& workDir = {},
                             const QProcessEnvironment& env = QProcessEnvironment::systemEnvironment(),
                             int timeoutMs = 180000) {
    QProcess process;
    process.setProcessEnvironment(env);
    process.setWorkingDirectory(workDir);
    process.start(program, arguments);
    if (!process.waitForFinished(timeoutMs))
        process.kill();
    process.waitForFinished();
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            process.readAllStandardOutput(), process.readAllStandardError()};
}
