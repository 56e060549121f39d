// Recorded plays without windows: the player's files as Quendal reads them, the project's
// plays and checks, the comparison of a replay with a kept play, the live test run, and the
// verification replaying kept plays with the real luaplayer.
#include "build/compiler.h"
#include "build/processservice.h"
#include "maps/mapdocument.h"
#include "plays/livetestrun.h"
#include "plays/playcomparison.h"
#include "plays/recordingstore.h"
#include "plays/verificationrunner.h"
#include "project/apppaths.h"
#include "project/creation.h"
#include "project/module1.h"
#include "project/projectsession.h"
#include "testsupport/files.h"
#include "testsupport/processes.h"

#include <QImage>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QString kData = QStringLiteral(QUENDAL_SOURCE_DIR "/data");

QByteArray header(qint64 frames, qint64 changes = 0, qint64 clock = 1700000000) {
    return "# Partie enregistrée par luaplayer\n# horloge " + QByteArray::number(clock) +
           "\n# images " + QByteArray::number(frames) + "\n# changements " +
           QByteArray::number(changes) + "\n0\n5 cross\n7\n";
}

QImage screenFilled(QRgb colour) {
    QImage image(480, 272, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

GameState state(const QByteArray& text) {
    return parseGameState(text);
}

// A play of three files in the store's folder, as the player writes them.
void writePlay(const RecordingStore& store, const QString& id, const QByteArray& pad,
               const QByteArray& end = "image=120\ncarte=02\ncolonne=4\nligne=3\nvie=8\n",
               bool withScreen = true) {
    putFile(store.padPath(id), pad);
    putFile(store.statePath(id), end);
    if (withScreen)
        screenFilled(qRgb(1, 2, 3)).save(store.screenPath(id));
}

} // namespace

class TestPlays : public QObject {
    Q_OBJECT
private slots:
    void recordingHeader_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<qint64>("frames");
        QTest::addColumn<qint64>("changes");
        QTest::newRow("as written") << header(3600, 2) << true << qint64(3600) << qint64(2);
        QTest::newRow("no frames") << QByteArray("# horloge 5\n0 cross\n") << false << qint64(0) << qint64(0);
        QTest::newRow("frames below the pad do not count")
            << QByteArray("0 cross\n# images 40\n") << false << qint64(0) << qint64(0);
        QTest::newRow("not a number") << QByteArray("# images quarante\n") << false << qint64(0) << qint64(0);
        QTest::newRow("empty") << QByteArray() << false << qint64(0) << qint64(0);
    }
    void recordingHeader() {
        QFETCH(QByteArray, text);
        QFETCH(bool, valid);
        QFETCH(qint64, frames);
        QFETCH(qint64, changes);
        const RecordingHeaderInfo info = readRecordingHeader(text);
        QCOMPARE(info.valid, valid);
        QCOMPARE(info.frames, frames);
        QCOMPARE(info.liveChanges, changes);
    }

    void gameState_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<qint64>("frames");
        QTest::addColumn<QString>("map");
        QTest::addColumn<QString>("life");
        QTest::newRow("the engine's") << QByteArray("image=90\ncarte=01\ncolonne=4\nligne=2\nvie=10\n")
                                      << qint64(90) << "01" << "10";
        QTest::newRow("nothing reported") << QByteArray("image=3\n") << qint64(3) << "" << "";
        QTest::newRow("Windows-1252 value, CR LF") << QByteArray("image=1\r\nvie=\xE9t\xE9\r\n")
                                                   << qint64(1) << "" << QStringLiteral("été");
        QTest::newRow("no file") << QByteArray() << qint64(-1) << "" << "";
    }
    void gameState() {
        QFETCH(QByteArray, text);
        QFETCH(qint64, frames);
        QFETCH(QString, map);
        QFETCH(QString, life);
        const GameState s = parseGameState(text);
        QCOMPARE(s.frames, frames);
        QCOMPARE(s.map(), map);
        QCOMPARE(s.life(), life);
    }

    // Plays listed the latest first, a pad without the player's header left out; ids made
    // for plays started in the same second differ.
    void storeListsPlays() {
        QTemporaryDir project;
        RecordingStore store(project.path());
        const QDateTime when(QDate(2024, 5, 1), QTime(14, 22, 33));
        const auto first = store.newRecordFiles(when);
        QVERIFY(first);
        QCOMPARE(first->pad, project.path() + "/parties/20240501-142233.txt");
        putFile(first->pad, header(3600, 0, 1000));
        const auto second = store.newRecordFiles(when);
        QCOMPARE(second->pad, project.path() + "/parties/20240501-142233-2.txt");
        writePlay(store, "20240501-142233-2", header(90, 0, 2000));
        putFile(store.padPath("cassee"), "0 cross\n");

        const QList<Recording> plays = store.list();
        QCOMPARE(plays.size(), 2);
        QCOMPARE(plays[0].id, QStringLiteral("20240501-142233-2"));
        QCOMPARE(plays[0].end.map(), QStringLiteral("02"));
        QCOMPARE(plays[0].lengthText(), QStringLiteral("1 s"));
        QCOMPARE(plays[1].lengthText(), QStringLiteral("1 min 00 s"));
        QCOMPARE(plays[1].end.frames, qint64(-1)); // no state file
    }

    // Keeping gives a play its check's name; a play that took in live changes or has no last
    // screen cannot be one, nor can an unnamed one. Forgetting keeps the files; removing
    // deletes them.
    void keepForgetRemove() {
        QTemporaryDir project;
        RecordingStore store(project.path());
        writePlay(store, "a", header(120));
        writePlay(store, "vivante", header(120, 3));
        writePlay(store, "sans-image", header(120), "image=120\n", false);

        QCOMPARE(store.keep("a", QStringLiteral("  Porte de la carte 3 ")), QString());
        QCOMPARE(store.find("a")->checkName, QStringLiteral("Porte de la carte 3"));
        QVERIFY(store.keep("vivante", "x").contains("changements"));
        QVERIFY(store.keep("sans-image", "x").contains("image de fin"));
        QVERIFY(store.keep("a", "  ").contains("nom"));
        QVERIFY(!store.keep("absente", "x").isEmpty());
        QCOMPARE(store.checks().size(), 1);

        QCOMPARE(store.forget("a"), QString());
        QVERIFY(store.checks().isEmpty());
        QVERIFY(QFileInfo::exists(store.padPath("a")));
        QCOMPARE(store.keep("a", "encore"), QString());
        QCOMPARE(store.remove("a"), QString());
        QVERIFY(!QFileInfo::exists(store.padPath("a")) && !QFileInfo::exists(store.screenPath("a")));
        QVERIFY(store.checks().isEmpty());
    }

    void comparison_data() {
        QTest::addColumn<QImage>("actual");
        QTest::addColumn<QByteArray>("actualState");
        QTest::addColumn<QStringList>("differences");
        const QByteArray kept = "image=120\ncarte=01\ncolonne=4\nligne=2\nvie=10\n";
        QImage onePixel = screenFilled(qRgb(10, 20, 30));
        onePixel.setPixel(100, 100, qRgb(10, 20, 31));
        QTest::newRow("same") << screenFilled(qRgb(10, 20, 30)) << kept << QStringList{};
        QTest::newRow("alpha does not count") << screenFilled(qRgba(10, 20, 30, 0)).convertToFormat(QImage::Format_ARGB32)
                                              << kept << QStringList{};
        QTest::newRow("one pixel") << onePixel << kept << QStringList{"L'image de fin diffère en 1 points."};
        QTest::newRow("another map") << screenFilled(qRgb(10, 20, 30))
                                     << QByteArray("image=120\ncarte=02\ncolonne=4\nligne=2\nvie=10\n")
                                     << QStringList{"Carte atteinte : 02 au lieu de 01."};
        QTest::newRow("another place and life") << screenFilled(qRgb(10, 20, 30))
                                                << QByteArray("image=120\ncarte=01\ncolonne=5\nligne=2\nvie=7\n")
                                                << QStringList{"Place du héros : colonne 5, ligne 2 au lieu de colonne 4, ligne 2.",
                                                               "Vie : 7 au lieu de 10."};
        QTest::newRow("ended sooner") << screenFilled(qRgb(10, 20, 30))
                                      << QByteArray("image=80\ncarte=01\ncolonne=4\nligne=2\nvie=10\n")
                                      << QStringList{"La partie a duré 80 images au lieu de 120."};
        QTest::newRow("no screen") << QImage() << kept << QStringList{"Le rejeu n'a pas laissé d'image de fin."};
    }
    void comparison() {
        QFETCH(QImage, actual);
        QFETCH(QByteArray, actualState);
        QFETCH(QStringList, differences);
        const PlayVerdict verdict = comparePlays(screenFilled(qRgb(10, 20, 30)),
                                                 state("image=120\ncarte=01\ncolonne=4\nligne=2\nvie=10\n"),
                                                 actual, state(actualState));
        QCOMPARE(verdict.differences, differences);
        QCOMPARE(verdict.same, differences.isEmpty());
    }

    // The live test run: started live and recorded; restarted, the running game is stopped
    // first; the panel's button starts another one beside it; a save while live rebuilds the game's scripts; the end of the player ends it.
    void liveTestRun() {
        QTemporaryDir app;
        QVERIFY(copyTree(kData, app.filePath("data")));
        QVERIFY(createProject(AppPaths::inPlace(app.path()), "Jeu", "Testeur"));
        ProjectSession session(AppPaths::inPlace(app.path()));
        session.open("Jeu");
        RecordingProcessService processes;
        LiveTestRun run(session, processes);
        QSignalSpy live(&run, &LiveTestRun::liveChanged);
        QSignalSpy recorded(&run, &LiveTestRun::playRecorded);

        QVERIFY(run.start().started);
        QVERIFY(run.isLive());
        QCOMPARE(live.size(), 1);
        const QStringList arguments = processes.started[0].arguments;
        QVERIFY(arguments.contains("--live"));
        QVERIFY(arguments.at(arguments.indexOf("--record") + 1).startsWith(session.folder() + "/parties/"));

        QVERIFY(run.start().started); // "Relancer le jeu"
        QCOMPARE(processes.started.size(), 2);
        QCOMPARE(processes.programs[0]->stops, 1); // the first one was stopped
        QCOMPARE(recorded.size(), 1);
        QTRY_VERIFY(processes.programs[0].isNull()); // and let go of
        QVERIFY(run.isLive());

        // A variable added while live reaches variables.lua at the next turn of the loop.
        QVERIFY(writeini("Variables", "nombre", "1", session.folder() + "/projet.ini"));
        QVERIFY(writeini("Variable1", "valeur", "vivant", session.folder() + "/projet.ini"));
        session.notifyVariablesChanged();
        QTRY_VERIFY(readfile(session.folder() + "/variables.lua").contains("var[1] = \"vivant\""));

        // A restart whose game does not build says so and leaves the game running.
        QVERIFY(putFile(session.folder() + "/ev/map01/ev11", "\r\nif then\r\n"));
        const TestRunOutcome refused = run.start();
        QVERIFY(!refused.started && refused.error.contains("ligne 1, colonne 1"));
        QCOMPARE(processes.started.size(), 2);
        QVERIFY(run.isLive() && processes.programs[1]->stops == 0);
        QVERIFY(QFile::remove(session.folder() + "/ev/map01/ev11"));

        // The panel's button starts one more player, as each press always did.
        const qsizetype changes = live.size();
        QVERIFY(run.start(LiveTestRun::Start::Another).started);
        QCOMPARE(processes.started.size(), 3);
        QCOMPARE(processes.programs[1]->stops, 0);
        processes.programs[2]->finish(0);
        QVERIFY(run.isLive());
        QCOMPARE(live.size(), changes);

        processes.programs[1]->finish(0);
        QVERIFY(!run.isLive());
        QCOMPARE(recorded.size(), 3);
        QCOMPARE(live.last().first().toBool(), false);
        // Not live any more: saves rebuild nothing.
        QVERIFY(writeini("Variable1", "valeur", "fini", session.folder() + "/projet.ini"));
        session.notifyVariablesChanged();
        QTest::qWait(20);
        QVERIFY(readfile(session.folder() + "/variables.lua").contains("\"vivant\""));
    }

    // A play recorded by the real player replays the same; after a collision is put on its
    // path, the verification reports it different, with both last screens.
    void verificationFindsAChangedCollision() {
        QTemporaryDir app;
        QVERIFY(copyTree(kData, app.filePath("data")));
        const AppPaths paths{app.filePath("data"), app.filePath("Doc"),
                             QStringLiteral(QUENDAL_APP_BUILD_DIR "/luaplayer"), app.path()};
        QVERIFY(createProject(paths, "Jeu", "Testeur"));
        ProjectSession session(paths);
        session.open("Jeu");
        RecordingStore store(session.folder());
        // A play as a test run records it (headless here): a new game, then three steps right
        // from the hero's start on map 01, (9, 4).
        QVERIFY(compiler(session.folder()).eventsWritten);
        const auto files = store.newRecordFiles(QDateTime::currentDateTime());
        QVERIFY(files);
        QVERIFY(putFile(session.folder() + "/boutons.txt", "0\n5 cross\n7\n20 right\n44\n"));
        QProcess player;
        player.setWorkingDirectory(session.folder());
        player.start(paths.playerPath, {"--headless", "--frames", "80", "--buttons", "boutons.txt", "--record",
                                        files->pad, "--screenshot", files->screen, "--state", files->state,
                                        "index.lua"});
        QVERIFY(player.waitForFinished(60000));
        const QString id = QFileInfo(files->pad).completeBaseName();
        QCOMPARE(store.find(id)->end.column(), QStringLiteral("12"));
        QCOMPARE(store.keep(id, "Trois pas"), QString());

        SystemProcessService processes;
        VerificationRunner runner(paths, processes);
        QSignalSpy done(&runner, &VerificationRunner::finished);
        QSignalSpy progress(&runner, &VerificationRunner::progress);
        QCOMPARE(runner.start("Jeu"), QString());
        QVERIFY(runner.isRunning()); // in the background
        QVERIFY(done.wait(60000));
        QCOMPARE(runner.results().size(), 1);
        QVERIFY2(runner.results()[0].outcome == CheckResult::Same, qPrintable(runner.results()[0].differences.join('|')));
        QCOMPARE(progress.last(), (QList<QVariant>{1, 1}));

        // A collision on the second cell of the path, made in the map's document and saved.
        const auto map = MapDocument::open(session, "01");
        QVERIFY(map);
        map->toggleCollision((4 - 1) * 17 + (11 - 1));
        QCOMPARE(map->save(), QString());
        QCOMPARE(runner.start("Jeu"), QString());
        QVERIFY(done.wait(60000));
        const CheckResult& result = runner.results()[0];
        QCOMPARE(result.outcome, CheckResult::Different);
        QVERIFY2(result.differences.join('|').contains("Place du héros : colonne 10, ligne 4 au lieu de colonne 12"),
                 qPrintable(result.differences.join('|')));
        QVERIFY(!QImage(result.expectedScreen).isNull() && !QImage(result.actualScreen).isNull());
    }

    // A player that cannot be started fails each check, and the verification still ends.
    void verificationWithoutPlayer() {
        QTemporaryDir app;
        QVERIFY(copyTree(kData, app.filePath("data")));
        QVERIFY(createProject(AppPaths::inPlace(app.path()), "Jeu", "Testeur"));
        RecordingStore store(app.filePath("projets/Jeu"));
        writePlay(store, "a", header(60));
        QCOMPARE(store.keep("a", "A"), QString());
        RecordingProcessService processes;
        processes.succeed = false;
        VerificationRunner runner(AppPaths::inPlace(app.path()), processes);
        QSignalSpy done(&runner, &VerificationRunner::finished);
        QCOMPARE(runner.start("Jeu"), QString());
        QVERIFY(done.wait(5000));
        QCOMPARE(runner.results()[0].outcome, CheckResult::Failed);
        // A game that does not build is said before anything is replayed.
        QVERIFY(putFile(app.filePath("projets/Jeu/ev/map01/ev11"), "\r\nif then\r\n"));
        QVERIFY(runner.start("Jeu").contains("ligne 1, colonne 1"));
        QVERIFY(!runner.isRunning());
    }
};

QTEST_GUILESS_MAIN(TestPlays)
#include "tst_plays.moc"
