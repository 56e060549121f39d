#pragma once

#include "build/processservice.h"
#include "shell/dialogservice.h"

#include <QString>

// Opening documents with the desktop's application, behind a small service that tests replace.
class DocumentService {
public:
    virtual ~DocumentService() = default;
    // Opens the file with the application the desktop associates with it; reports nothing.
    virtual void open(const QString& path) = 0;
};

class DesktopDocumentService : public DocumentService {
public:
    void open(const QString& path) override;
};

// What every window needs from the program around it: message boxes and prompts, starting
// programs and opening documents.
struct AppServices {
    DialogService& dialogs;
    ProcessService& processes;
    DocumentService& documents;
};
