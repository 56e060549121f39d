#include "project/apppaths.h"
#include "project/module1.h"
#include "shell/dialogservice.h"
#include "shell/mainwindow.h"
#include "shell/services.h"

#include <QApplication>
#include <QIcon>

int main(int argc, char** argv) {
    reportFileSizeLimit();
    QApplication app(argc, argv);
    QtDialogService dialogs;
    SystemProcessService processes;
    DesktopDocumentService documents;
    AppServices services{dialogs, processes, documents};
    const AppPaths paths = AppPaths::inPlace(QCoreApplication::applicationDirPath());
    // The hero's face from the supplied pictures stands for the program in window frames.
    app.setWindowIcon(QIcon(paths.dataPath(QStringLiteral("/images/personnages/perso01/face1.png"))));
    MainWindow window(services, paths);
    window.start();
    return app.exec();
}
