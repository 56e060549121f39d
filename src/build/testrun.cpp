#include "build/testrun.h"

#include "build/gamebuild.h"
#include "build/launcher.h"
#include "build/processservice.h"
#include "build/syntaxcheck.h"
#include "project/apppaths.h"

GamePreparation prepareGame(const AppPaths& paths, const QString& project) {
    GamePreparation prepared;
    if (project.isEmpty()) {
        prepared.error = QStringLiteral("Aucun projet n'est ouvert : il n'y a pas de jeu à tester.");
        return prepared;
    }

    const CompileResult build = compiler(paths.projectFolder(project));
    prepared.summary = build.summary;
    if (!build.scripts.skipped.isEmpty())
        prepared.notice = QStringLiteral("Ces événements ont été ignorés : ce ne sont pas des "
                                         "fichiers ordinaires du projet.\n") +
                          build.scripts.skipped.join(u'\n');
    QStringList unwritten = unwrittenFiles(build);
    if (unwritten.isEmpty() && !writeLauncher(paths.workDir, project))
        unwritten.append(launcherPath(paths.workDir));
    if (!unwritten.isEmpty()) {
        prepared.error = unwrittenText(unwritten) + QStringLiteral("Le jeu n'a pas été lancé.");
        return prepared;
    }

    if (const auto error = checkGameScripts(build.scripts)) {
        prepared.error = *error + QStringLiteral("\n\nLe jeu n'a pas été lancé.");
        return prepared;
    }
    prepared.ready = true;
    return prepared;
}

QStringList testRunArguments(const RunRecordFiles* record) {
    QStringList arguments{QStringLiteral("--live")};
    if (record)
        arguments << QStringLiteral("--record") << record->pad << QStringLiteral("--screenshot")
                  << record->screen << QStringLiteral("--state") << record->state;
    arguments << QStringLiteral("index.lua");
    return arguments;
}

TestRunOutcome startTestPlayer(const AppPaths& paths, ProcessService& processes,
                               const RunRecordFiles* record) {
    TestRunOutcome outcome;
    outcome.program = processes.start(paths.playerPath, testRunArguments(record), paths.workDir);
    if (!outcome.program) {
        outcome.error = QStringLiteral("Impossible de démarrer LuaPlayer (") + paths.playerPath +
                        QStringLiteral(").");
        return outcome;
    }
    outcome.started = true;
    return outcome;
}

TestRunOutcome tester(const AppPaths& paths, const QString& project, ProcessService& processes,
                      const RunRecordFiles* record) {
    const GamePreparation prepared = prepareGame(paths, project);
    TestRunOutcome outcome;
    if (prepared.ready)
        outcome = startTestPlayer(paths, processes, record);
    outcome.summary = prepared.summary;
    outcome.notice = prepared.notice;
    if (!prepared.ready)
        outcome.error = prepared.error;
    return outcome;
}
