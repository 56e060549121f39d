#include "shell/dialogservice.h"
#include "shell/mainform.h"
#include "shell/services.h"

#include <QApplication>
#include <QIcon>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QtDialogService dialogs;
    SystemProcessService processes;
    DesktopDocumentService documents;
    AppServices services{QCoreApplication::applicationDirPath(), dialogs, processes, documents};
    // The hero's face from the supplied pictures stands for the program in window frames.
    app.setWindowIcon(QIcon(services.appDir + QStringLiteral("/data/images/personnages/perso01/face1.png")));
    Mainform mainform(services);
    mainform.start();
    return app.exec();
}
