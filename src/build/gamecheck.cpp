#include "build/gamecheck.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

namespace {

constexpr int kStartTimeoutMs = 10000;
constexpr int kRunTimeoutMs = 60000;
constexpr int kSliceMs = 100; // how often a cancel is looked at
constexpr qsizetype kMaxQuoted = 800; // of the player's messages

} // namespace

QString checkExportedGame(const QString& playerPath, const QString& gameFolder,
                          const std::atomic<bool>* cancel) {
    const QString notTried = QStringLiteral("Il n'a pas pu être essayé : ");
    if (!QFileInfo(playerPath).isExecutable())
        return notTried + QStringLiteral("LuaPlayer est introuvable (") + playerPath +
               QStringLiteral(").");
    // The buttons file lies outside the game, which must stay as copied.
    QTemporaryDir scratch;
    const QString buttons = scratch.filePath(QStringLiteral("boutons.txt"));
    QFile f(buttons);
    if (!scratch.isValid() || !f.open(QIODevice::WriteOnly) ||
        f.write(kCheckButtons) != qint64(sizeof kCheckButtons - 1))
        return notTried + QStringLiteral("impossible d'écrire un fichier temporaire.");
    f.close();

    QProcess player;
    player.setWorkingDirectory(gameFolder);
    player.start(playerPath, {QStringLiteral("--headless"), QStringLiteral("--frames"),
                              QString::number(kCheckFrames), QStringLiteral("--buttons"), buttons,
                              QStringLiteral("index.lua")});
    if (!player.waitForStarted(kStartTimeoutMs))
        return notTried + QStringLiteral("impossible de démarrer LuaPlayer (") + playerPath +
               QStringLiteral(").");
    QDeadlineTimer deadline(kRunTimeoutMs);
    while (!player.waitForFinished(kSliceMs)) {
        const bool cancelled = cancel && cancel->load();
        if (cancelled || deadline.hasExpired() || player.state() == QProcess::NotRunning) {
            player.kill();
            player.waitForFinished();
            if (cancelled)
                return QString();
            if (deadline.hasExpired())
                return QStringLiteral("Dans LuaPlayer, le jeu ne s'est pas arrêté au bout de ") +
                       QString::number(kRunTimeoutMs / 1000) + QStringLiteral(" secondes.");
            break;
        }
    }
    if (player.exitStatus() == QProcess::NormalExit && player.exitCode() == 0)
        return QString();
    QString said = QString::fromLocal8Bit(player.readAllStandardError()).trimmed();
    if (said.size() > kMaxQuoted)
        said = said.left(kMaxQuoted) + QStringLiteral("…");
    return QStringLiteral("Dans LuaPlayer, le jeu s'arrête sur une erreur :\n") +
           (said.isEmpty() ? QStringLiteral("(aucun message)") : said);
}
