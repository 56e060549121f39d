#pragma once

// Test double of the service that starts programs: records what would have been started.

#include "build/processservice.h"

#include <QList>
#include <QStringList>

class RecordingProcessService : public ProcessService {
public:
    struct Start {
        QString program;
        QStringList arguments;
        QString workingDirectory;
    };
    bool startDetached(const QString& program, const QStringList& arguments,
                       const QString& workingDirectory) override {
        started.append({program, arguments, workingDirectory});
        return succeed;
    }
    QList<Start> started;
    bool succeed = true;
};
