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
    // Lets the desktop match the windows with the menu entry and its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("example.quendal.Quendal"));
    QtDialogService dialogs;
    SystemProcessService processes;
    DesktopDocumentService documents;
    AppServices services{dialogs, processes, documents};
    // In place in the build's application folder, or installed with the work in
    // $XDG_DATA_HOME/quendal; the windows only ever see the paths.
    const AppPaths paths = AppPaths::forProgram(QCoreApplication::applicationDirPath());
    // The installed icon when the desktop knows it, else the hero's face from the supplied
    // pictures.
    app.setWindowIcon(QIcon::fromTheme(
        QStringLiteral("quendal"),
        QIcon(paths.dataPath(QStringLiteral("/images/personnages/perso01/face1.png")))));
    MainWindow window(services, paths);
    window.start();
    return app.exec();
}
