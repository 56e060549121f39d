// quendal-build: builds a project's game from the command line, as "Tester votre jeu" does
// before starting the player: variables.lua, ev.lua and infos.lua, then the Lua syntax check.
// It links only the build library, which is all a game needs to be built.
//
//   quendal-build PROJECT_FOLDER
//
// Exit status 0 when the game was built and compiles, 1 when a script does not compile or a
// file could not be written (the message is on standard error), 2 on a wrong command line.

#include "build/compiler.h"
#include "build/syntaxcheck.h"
#include "project/module1.h"

#include <QCoreApplication>
#include <QFileInfo>

#include <cstdio>

int main(int argc, char** argv) {
    reportFileSizeLimit();
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 2 || !QFileInfo(args[1] + QStringLiteral("/projet.ini")).isFile()) {
        std::fprintf(stderr, "usage: quendal-build DOSSIER_DU_PROJET (qui contient projet.ini)\n");
        return 2;
    }
    const CompileResult build = compiler(QFileInfo(args[1]).absoluteFilePath());
    for (const auto& [written, path] : {std::pair{build.variablesWritten, build.variablesPath},
                                        std::pair{build.eventsWritten, build.eventsPath},
                                        std::pair{build.infosWritten, build.infosPath}}) {
        if (!written) {
            std::fprintf(stderr, "Impossible d'écrire le fichier %s\n", qPrintable(path));
            return 1;
        }
    }
    for (const QString& path : build.scripts.skipped)
        std::fprintf(stderr, "Ignoré (pas un fichier ordinaire du projet) : %s\n", qPrintable(path));
    if (const auto error = checkGameScripts(build.scripts)) {
        std::fprintf(stderr, "%s\n", error->toUtf8().constData());
        return 1;
    }
    std::printf("%s : %s, %s, %s\n", qPrintable(build.summary.name), qPrintable(build.variablesPath),
                qPrintable(build.eventsPath), qPrintable(build.infosPath));
    return 0;
}
