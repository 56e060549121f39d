#pragma once

// The test application folder with scripted services, for tests that build windows.

#include "shell/appfolder.h"
#include "shell/dialogservice.h"
#include "shell/services.h"


struct TestApp : AppFolder {
    ScriptedDialogService dialogs;
    RecordingProcessService processes;
    RecordingDocumentService documents;
    AppServices services{dir.path(), dialogs, processes, documents};

    QStringList messages() const {
        QStringList texts;
        for (const auto& s : dialogs.shown)
            texts << s.text;
        return texts;
    }
};

