#include "plays/playreplay.h"

#include "build/processservice.h"
#include "build/testrun.h"
#include "project/apppaths.h"

QStringList replayArguments(const RecordingStore& store, const Recording& play, bool headless,
                            const QString& outScreen, const QString& outState) {
    QStringList arguments;
    if (headless)
        arguments << QStringLiteral("--headless");
    arguments << QStringLiteral("--frames") << QString::number(play.frames)
              << QStringLiteral("--buttons") << store.padPath(play.id);
    if (!outScreen.isEmpty())
        arguments << QStringLiteral("--screenshot") << outScreen;
    if (!outState.isEmpty())
        arguments << QStringLiteral("--state") << outState;
    if (!headless)
        arguments << QStringLiteral("--keep-open");
    // The game's own entry, from its folder: the launcher's only work is to go there.
    arguments << QStringLiteral("index.lua");
    return arguments;
}

QString replayInWindow(const AppPaths& paths, const QString& project, ProcessService& processes,
                       const Recording& play) {
    const GamePreparation prepared = prepareGame(paths, project);
    if (!prepared.ready)
        return prepared.error;
    const QString folder = paths.projectFolder(project);
    if (!processes.startDetached(paths.playerPath,
                                 replayArguments(RecordingStore(folder), play, false), folder))
        return QStringLiteral("Impossible de démarrer LuaPlayer (") + paths.playerPath +
               QStringLiteral(").");
    return QString();
}
