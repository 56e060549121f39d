#include "shell/dialogservice.h"
#include "shell/mainform.h"
#include "shell/services.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QtDialogService dialogs;
    SystemProcessService processes;
    DesktopDocumentService documents;
    AppServices services{QCoreApplication::applicationDirPath(), dialogs, processes, documents};
    Mainform mainform(services);
    mainform.start();
    return app.exec();
}
