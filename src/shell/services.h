#pragma once

#include "shell/dialogservice.h"

#include <QString>
#include <QStringList>

// Starting outside programs and opening documents, behind small services that tests replace.
class ProcessService {
public:
    virtual ~ProcessService() = default;
    // Starts the program without waiting; false when it could not be started.
    virtual bool startDetached(const QString& program, const QStringList& arguments,
                               const QString& workingDirectory) = 0;
};

class DocumentService {
public:
    virtual ~DocumentService() = default;
    // Opens the file with the application the desktop associates with it; reports nothing.
    virtual void open(const QString& path) = 0;
};

class SystemProcessService : public ProcessService {
public:
    bool startDetached(const QString& program, const QStringList& arguments,
                       const QString& workingDirectory) override;
};

class DesktopDocumentService : public DocumentService {
public:
    void open(const QString& path) override;
};

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

class RecordingDocumentService : public DocumentService {
public:
    void open(const QString& path) override { opened.append(path); }
    QStringList opened;
};

// What every window needs from the program around it: the application folder, which every
// path starts from, and the services above.
struct AppServices {
    QString appDir;
    DialogService& dialogs;
    ProcessService& processes;
    DocumentService& documents;
};
