#pragma once

#include <QString>
#include <QStringList>

// Starting outside programs (the player), behind a small service that tests replace.
class ProcessService {
public:
    virtual ~ProcessService() = default;
    // Starts the program without waiting; false when it could not be started.
    virtual bool startDetached(const QString& program, const QStringList& arguments,
                               const QString& workingDirectory) = 0;
};

class SystemProcessService : public ProcessService {
public:
    bool startDetached(const QString& program, const QStringList& arguments,
                       const QString& workingDirectory) override;
};
