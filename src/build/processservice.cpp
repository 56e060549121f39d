#include "build/processservice.h"

#include <QProcess>

namespace {

constexpr int kStopWaitMs = 3000;

class SystemProgram : public RunningProgram {
public:
    SystemProgram() {
        mProcess.setProcessChannelMode(QProcess::ForwardedChannels);
        connect(&mProcess, &QProcess::finished, this,
                [this](int code, QProcess::ExitStatus status) {
                    emit finished(status == QProcess::NormalExit ? code : -1);
                });
    }
    ~SystemProgram() override {
        // A program still running when Quendal lets go of it is ended, not left behind.
        if (isRunning()) {
            mProcess.blockSignals(true);
            stop();
        }
    }

    bool start(const QString& program, const QStringList& arguments, const QString& folder) {
        mProcess.setWorkingDirectory(folder);
        mProcess.start(program, arguments);
        return mProcess.waitForStarted();
    }
    bool isRunning() const override { return mProcess.state() != QProcess::NotRunning; }
    void stop() override {
        if (!isRunning())
            return;
        mProcess.terminate(); // the player ends at its next frame, writing its recording
        if (!mProcess.waitForFinished(kStopWaitMs)) {
            mProcess.kill();
            mProcess.waitForFinished(kStopWaitMs);
        }
    }

private:
    QProcess mProcess;
};

} // namespace

bool SystemProcessService::startDetached(const QString& program, const QStringList& arguments,
                                         const QString& workingDirectory) {
    return QProcess::startDetached(program, arguments, workingDirectory);
}

std::unique_ptr<RunningProgram> SystemProcessService::start(const QString& program,
                                                            const QStringList& arguments,
                                                            const QString& workingDirectory) {
    auto running = std::make_unique<SystemProgram>();
    if (!running->start(program, arguments, workingDirectory))
        return nullptr;
    return running;
}
