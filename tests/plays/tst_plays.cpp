// Recorded plays, their checks and the live test run, without windows nor the real player.
#include "plays/livetestrun.h"
#include "plays/playcomparison.h"
#include "plays/recordingstore.h"
#include "plays/verificationrunner.h"
#include "project/creation.h"
#include "project/module1.h"
#include "project/projectsession.h"
#include "testsupport/files.h"
#include "testsupport/processes.h"

#include <QImage>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

namespace {

QByteArray header(qint64 frames, qint64 changes = 0, qint64 clock = 1700000000) {
    return "# Partie enregistrée par luaplayer\n# horloge " + QByteArray::number(clock) + "\n# images " +
           QByteArray::number(frames) + "\n# changements " + QByteArray::number(changes) + "\n0\n5 cross\n7\n";
}

QImage screenFilled(QRgb colour) {
    QImage image(480, 272, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

// A play of three files in the store's folder, as the player writes them.
void writePlay(const RecordingStore& store, const QString& id, const QByteArray& pad,
               const QByteArray& end = "image=120\ncarte=02\ncolonne=4\nligne=3\nvie=8\n", bool withScreen = true) {
    putFile(store.padPath(id), pad);
    putFile(store.statePath(id), end);
    if (withScreen)
        screenFilled(qRgb(1, 2, 3)).save(store.screenPath(id));
}

// An application folder with the supplied data and a new project "Jeu".
bool makeApp(const QTemporaryDir& app) {
    return copyTree(QUENDAL_SOURCE_DIR "/data", app.filePath("data")) &&
           createProject(AppPaths::inPlace(app.path()), "Jeu", "Testeur");
}

} // namespace

class TestPlays : public QObject {
    Q_OBJECT
private slots:
    // The player's header is read only above the pad's lines, and only with a number of frames.
    void recordingHeader_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<qint64>("frames"); // 0: not a play
        QTest::newRow("as written") << header(3600, 2) << qint64(3600);
        QTest::newRow("frames below the pad do not count") << QByteArray("0 cross\n# images 40\n") << qint64(0);
        QTest::newRow("not a number") << QByteArray("# images quarante\n") << qint64(0);
    }
    void recordingHeader() {
        QFETCH(QByteArray, text);
        QFETCH(qint64, frames);
        const RecordingHeaderInfo info = readRecordingHeader(text);
        QCOMPARE(info.valid, frames > 0);
        QCOMPARE(info.frames, frames);
        QCOMPARE(info.liveChanges, frames > 0 ? 2 : 0);
    }

    // Plays listed latest first, a pad without header left out, ids of one second distinct, the
    // state in Windows-1252; what cannot be kept as a check; forget keeps the files, remove not.
    void storeListsAndKeepsPlays() {
        QTemporaryDir project;
        RecordingStore store(project.path());
        const QDateTime when(QDate(2024, 5, 1), QTime(14, 22, 33));
        QCOMPARE(store.newRecordFiles(when)->pad, project.path() + "/parties/20240501-142233.txt");
        putFile(store.padPath("20240501-142233"), header(3600, 0, 1000));
        QCOMPARE(store.newRecordFiles(when)->pad, project.path() + "/parties/20240501-142233-2.txt");
        const QString a = "20240501-142233-2";
        writePlay(store, a, header(90, 0, 2000), "image=120\r\ncarte=02\r\nvie=\xE9t\xE9\r\n");
        putFile(store.padPath("cassee"), "0 cross\n");
        const QList<Recording> plays = store.list();
        QCOMPARE(plays.size(), 2);
        QCOMPARE(plays[0].id + ' ' + plays[0].end.map() + ' ' + plays[0].end.life() + ' ' + plays[0].lengthText(),
                 a + " 02 été 1 s");
        QCOMPARE(plays[1].lengthText() + ' ' + QString::number(plays[1].end.frames), "1 min 00 s -1"); // no state file

        writePlay(store, "vivante", header(120, 3));
        writePlay(store, "sans-image", header(120), "image=120\n", false);
        QCOMPARE(store.keep(a, QStringLiteral("  Porte de la carte 3 ")), QString());
        QCOMPARE(store.find(a)->checkName, QStringLiteral("Porte de la carte 3"));
        QVERIFY(store.keep("vivante", "x").contains("changements"));
        QVERIFY(store.keep("sans-image", "x").contains("image de fin"));
        QVERIFY(store.keep(a, "  ").contains("nom"));
        QVERIFY(!store.keep("absente", "x").isEmpty() && store.checks().size() == 1);
        QCOMPARE(store.forget(a), QString());
        QVERIFY(store.checks().isEmpty() && QFileInfo::exists(store.padPath(a)));
        QCOMPARE(store.keep(a, "encore"), QString());
        QCOMPARE(store.remove(a), QString());
        QVERIFY(!QFileInfo::exists(store.padPath(a)) && !QFileInfo::exists(store.screenPath(a)) && store.checks().isEmpty());
    }

    void comparison_data() {
        QTest::addColumn<QImage>("actual");
        QTest::addColumn<QByteArray>("actualState");
        QTest::addColumn<QStringList>("differences");
        const QByteArray kept = "image=120\ncarte=01\ncolonne=4\nligne=2\nvie=10\n";
        const QImage same = screenFilled(qRgb(10, 20, 30));
        QImage onePixel = same;
        onePixel.setPixel(100, 100, qRgb(10, 20, 31));
        QTest::newRow("same") << same << kept << QStringList{};
        QTest::newRow("alpha does not count")
            << screenFilled(qRgba(10, 20, 30, 0)).convertToFormat(QImage::Format_ARGB32) << kept << QStringList{};
        QTest::newRow("one pixel") << onePixel << kept << QStringList{"L'image de fin diffère en 1 points."};
        QTest::newRow("another map") << same << QByteArray("image=120\ncarte=02\ncolonne=4\nligne=2\nvie=10\n")
                                     << QStringList{"Carte atteinte : 02 au lieu de 01."};
        QTest::newRow("another place and life")
            << same << QByteArray("image=120\ncarte=01\ncolonne=5\nligne=2\nvie=7\n")
            << QStringList{"Place du héros : colonne 5, ligne 2 au lieu de colonne 4, ligne 2.", "Vie : 7 au lieu de 10."};
        QTest::newRow("ended sooner") << same << QByteArray("image=80\ncarte=01\ncolonne=4\nligne=2\nvie=10\n")
                                      << QStringList{"La partie a duré 80 images au lieu de 120."};
        QTest::newRow("no screen") << QImage() << kept << QStringList{"Le rejeu n'a pas laissé d'image de fin."};
    }
    void comparison() {
        QFETCH(QImage, actual);
        QFETCH(QByteArray, actualState);
        QFETCH(QStringList, differences);
        const PlayVerdict verdict =
            comparePlays(screenFilled(qRgb(10, 20, 30)), parseGameState("image=120\ncarte=01\ncolonne=4\nligne=2\nvie=10\n"),
                         actual, parseGameState(actualState));
        QCOMPARE(verdict.differences, differences);
        QCOMPARE(verdict.same, differences.isEmpty());
    }

    // Live and recorded; a restart stops the running game first, the panel's button starts one
    // beside it; a save while live rebuilds the scripts; the end of the player ends it.
    void liveTestRun() {
        QTemporaryDir app;
        QVERIFY(makeApp(app));
        ProjectSession session(AppPaths::inPlace(app.path()));
        session.open("Jeu");
        const QString ini = session.folder() + "/projet.ini";
        RecordingProcessService processes;
        LiveTestRun run(session, processes);
        QSignalSpy live(&run, &LiveTestRun::liveChanged);
        QSignalSpy recorded(&run, &LiveTestRun::playRecorded);

        QVERIFY(run.start().started && run.isLive());
        QCOMPARE(live.size(), 1);
        const QStringList arguments = processes.started[0].arguments;
        QVERIFY(arguments.contains("--live") && arguments.at(arguments.indexOf("--record") + 1).startsWith(session.folder() + "/parties/"));

        QVERIFY(run.start().started); // "Relancer le jeu"
        QVERIFY(processes.programs[0]->stops == 1 && recorded.size() == 1);
        QTRY_VERIFY(processes.programs[0].isNull()); // and let go of

        // A variable added while live reaches variables.lua at the next turn of the loop.
        QVERIFY(writeini("Variables", "nombre", "1", ini) && writeini("Variable1", "valeur", "vivant", ini));
        session.notifyVariablesChanged();
        QTRY_VERIFY(readfile(session.folder() + "/variables.lua").contains("var[1] = \"vivant\""));

        // A restart whose game does not build says so and leaves the game running.
        QVERIFY(putFile(session.folder() + "/ev/map01/ev11", "\r\nif then\r\n"));
        const TestRunOutcome refused = run.start();
        QVERIFY(!refused.started && refused.error.contains("ligne 1, colonne 1"));
        // So does a verification, before anything is replayed.
        QVERIFY(VerificationRunner(AppPaths::inPlace(app.path()), processes).start("Jeu").contains("ligne 1, colonne 1"));
        QVERIFY(processes.started.size() == 2 && run.isLive() && processes.programs[1]->stops == 0);
        QVERIFY(QFile::remove(session.folder() + "/ev/map01/ev11"));

        // The panel's button starts one more player, as each press always did.
        const qsizetype changes = live.size();
        QVERIFY(run.start(LiveTestRun::Start::Another).started);
        processes.programs[2]->finish(0);
        QVERIFY(run.isLive() && live.size() == changes && processes.programs[1]->stops == 0);

        processes.programs[1]->finish(0);
        QVERIFY(!run.isLive() && !live.last().first().toBool());
        QCOMPARE(recorded.size(), 3);
        // Not live any more: saves rebuild nothing.
        QVERIFY(writeini("Variable1", "valeur", "fini", ini));
        session.notifyVariablesChanged();
        QTest::qWait(20);
        QVERIFY(readfile(session.folder() + "/variables.lua").contains("\"vivant\""));
    }

    // Without a player each check fails, and the verification still ends.
    void verificationWithoutPlayer() {
        QTemporaryDir app;
        QVERIFY(makeApp(app));
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
    }
};

QTEST_GUILESS_MAIN(TestPlays)
#include "tst_plays.moc"
