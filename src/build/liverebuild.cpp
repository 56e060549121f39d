#include "build/liverebuild.h"

#include "build/compiler.h"
#include "build/syntaxcheck.h"
#include "project/cp1252.h"
#include "project/module1.h"
#include "project/projectsession.h"

#include <QFile>
#include <QTimer>

namespace {

const QString kGoesOn =
    QStringLiteral("\n\nLe jeu en cours continue avec ses évènements et ses variables d'avant.");

// True when the file already holds what writefile would write.
bool holds(const QString& path, const QString& text) {
    QFile file(resolvePath(path));
    if (!file.open(QIODevice::ReadOnly))
        return false;
    return file.readAll() == toCp1252(text + QStringLiteral("\r\n"));
}

} // namespace

LiveRebuildResult rebuildChangedScripts(const QString& projectDir) {
    LiveRebuildResult result;
    const GameScripts scripts = buildGameScripts(projectDir);
    if (const auto error = checkGameScripts(scripts)) {
        result.error = *error + kGoesOn;
        return result;
    }
    // variables.lua before ev.lua, as every build writes them.
    const std::pair<QString, const QString*> files[] = {
        {QStringLiteral("variables.lua"), &scripts.variables},
        {QStringLiteral("ev.lua"), &scripts.events},
        {QStringLiteral("infos.lua"), &scripts.infos},
    };
    for (const auto& [name, text] : files) {
        const QString path = projectDir + u'/' + name;
        if (holds(path, *text))
            continue;
        if (!writefile(*text, path)) {
            result.error = QStringLiteral("Impossible d'écrire le fichier ") + path + kGoesOn;
            return result;
        }
        result.written.append(name);
    }
    return result;
}

LiveRebuild::LiveRebuild(ProjectSession& session, QObject* parent)
    : QObject(parent), mSession(session) {
    connect(&session, &ProjectSession::mapSaved, this, &LiveRebuild::schedule);
    connect(&session, &ProjectSession::scriptSaved, this, &LiveRebuild::schedule);
    connect(&session, &ProjectSession::variablesChanged, this, &LiveRebuild::schedule);
    connect(&session, &ProjectSession::mapsChanged, this, &LiveRebuild::schedule);
}

void LiveRebuild::setActive(bool active) {
    mActive = active;
    if (!active)
        mPending = false;
}

void LiveRebuild::schedule() {
    if (!mActive || mPending)
        return;
    mPending = true;
    QTimer::singleShot(0, this, &LiveRebuild::flush);
}

void LiveRebuild::flush() {
    if (!mPending)
        return;
    mPending = false;
    rebuild();
}

void LiveRebuild::rebuild() {
    if (!mSession.isOpen())
        return;
    const LiveRebuildResult result = rebuildChangedScripts(mSession.folder());
    if (!result.error.isEmpty())
        emit failed(result.error);
    else
        emit rebuilt(result.written);
}
