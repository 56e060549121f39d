#include "build/testrun.h"

#include "build/launcher.h"
#include "build/syntaxcheck.h"
#include "shell/services.h"

QString luaPlayerPath(const QString& appDir) { return appDir + QStringLiteral("/luaplayer"); }

TestRunOutcome tester(const QString& appDir, const QString& project, ProcessService& processes) {
    TestRunOutcome outcome;
    if (project.isEmpty()) {
        outcome.error = QStringLiteral("Aucun projet n'est ouvert : il n'y a pas de jeu à tester.");
        return outcome;
    }

    const CompileResult build = compiler(appDir, project);
    outcome.summary = build.summary;
    QStringList unwritten;
    if (!build.variablesWritten)
        unwritten.append(build.variablesPath);
    if (!build.eventsWritten)
        unwritten.append(build.eventsPath);
    if (unwritten.isEmpty() && !writeLauncher(appDir, project))
        unwritten.append(launcherPath(appDir));
    if (!unwritten.isEmpty()) {
        QString text;
        for (const QString& path : unwritten)
            text += QStringLiteral("Impossible d'écrire le fichier ") + path + QStringLiteral("\n");
        outcome.error = text + QStringLiteral("Le jeu n'a pas été lancé.");
        return outcome;
    }

    if (const auto error = checkGameScripts(build.scripts)) {
        outcome.error = *error + QStringLiteral("\n\nLe jeu n'a pas été lancé.");
        return outcome;
    }

    const QString player = luaPlayerPath(appDir);
    if (!processes.startDetached(player, {QStringLiteral("index.lua")}, appDir)) {
        outcome.error = QStringLiteral("Impossible de démarrer LuaPlayer (") + player +
                        QStringLiteral(").");
        return outcome;
    }
    outcome.started = true;
    return outcome;
}
