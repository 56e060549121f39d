#include "build/testrun.h"

#include "build/gamebuild.h"
#include "build/launcher.h"
#include "build/processservice.h"
#include "build/syntaxcheck.h"
#include "project/apppaths.h"

TestRunOutcome tester(const AppPaths& paths, const QString& project, ProcessService& processes) {
    TestRunOutcome outcome;
    if (project.isEmpty()) {
        outcome.error = QStringLiteral("Aucun projet n'est ouvert : il n'y a pas de jeu à tester.");
        return outcome;
    }

    const CompileResult build = compiler(paths.projectFolder(project));
    outcome.summary = build.summary;
    if (!build.scripts.skipped.isEmpty())
        outcome.notice = QStringLiteral("Ces événements ont été ignorés : ce ne sont pas des "
                                        "fichiers ordinaires du projet.\n") +
                         build.scripts.skipped.join(u'\n');
    QStringList unwritten = unwrittenFiles(build);
    if (unwritten.isEmpty() && !writeLauncher(paths.workDir, project))
        unwritten.append(launcherPath(paths.workDir));
    if (!unwritten.isEmpty()) {
        outcome.error = unwrittenText(unwritten) + QStringLiteral("Le jeu n'a pas été lancé.");
        return outcome;
    }

    if (const auto error = checkGameScripts(build.scripts)) {
        outcome.error = *error + QStringLiteral("\n\nLe jeu n'a pas été lancé.");
        return outcome;
    }

    if (!processes.startDetached(paths.playerPath, {QStringLiteral("index.lua")}, paths.workDir)) {
        outcome.error = QStringLiteral("Impossible de démarrer LuaPlayer (") + paths.playerPath +
                        QStringLiteral(").");
        return outcome;
    }
    outcome.started = true;
    return outcome;
}
