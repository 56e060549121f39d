#pragma once

// The test application folder with scripted services and a session, for tests of windows.

#include "project/apppaths.h"
#include "project/projectsession.h"
#include "testsupport/appfolder.h"
#include "testsupport/doubles.h"

struct TestApp : AppFolder {
    ScriptedDialogService dialogs;
    RecordingProcessService processes;
    RecordingDocumentService documents;
    AppServices services{dialogs, processes, documents};
    AppPaths paths = appPaths();
    // For windows made without a main window; open() a project before making them.
    ProjectSession session{paths};

    QStringList messages() const { return dialogs.texts(); }
};
