// The live test run's menu item, "Parties enregistrées" and "Vérifier le jeu" with the player.
#include "build/compiler.h"
#include "events/scriptdocument.h"
#include "maps/mapdocument.h"
#include "plays/recordingstore.h"
#include "plays/verificationwindow.h"
#include "project/creation.h"
#include "shellfixture.h"
#include "testsupport/run.h"

#include <QProgressBar>
#include <QTreeView>

namespace {

QByteArray pad(qint64 frames, qint64 changes = 0, qint64 clock = 1714573353) {
    return "# Partie enregistrée par luaplayer\n# horloge " + QByteArray::number(clock) + "\n# images " +
           QByteArray::number(frames) + "\n# changements " + QByteArray::number(changes) + "\n0\n5 cross\n7\n";
}

} // namespace

class TestPlayWindows : public QObject, ShellFixture {
    Q_OBJECT

    QAction* testAction() const { return mMain->findChild<QAction*>("tester"); }

private slots:
    void init() { startMain(); }
    void cleanup() { mMain.reset(); }

    // "Tester votre jeu" reads "Relancer le jeu" while the game runs, and stops it for a new one.
    // Saved meanwhile, a script that does not compile is named and ev.lua is left as it was.
    void menuItemRestartsTheLiveGame() {
        QVERIFY(!testAction()->isEnabled());
        const QString dir = openProject(1);
        QCOMPARE(testAction()->text(), QStringLiteral("Tester votre jeu"));
        click(panel(), "Command4");
        QCOMPARE(testAction()->text(), QStringLiteral("Relancer le jeu"));
        testAction()->trigger();
        QVERIFY2(mApp->dialogs.shown.isEmpty(), qPrintable(mApp->messages().join('|')));
        QCOMPARE(mApp->processes.started.size(), 2);
        QCOMPARE(mApp->processes.programs[0]->stops, 1);

        const QByteArray events = bytesOf(dir + "/ev.lua");
        ScriptDocument script(mMain->session());
        script.openCell("01", 2, 3);
        script.appendLine("if var[1] == \"0\" then");
        QCOMPARE(script.save(), QString());
        QTRY_COMPARE(mApp->dialogs.shown.size(), 1);
        const QString said = mApp->messages()[0];
        QVERIFY2(said.contains("carte 01, ligne 2, colonne 3") && said.contains("Le jeu en cours continue"), qPrintable(said));
        QCOMPARE(bytesOf(dir + "/ev.lua"), events);

        mApp->processes.programs[1]->finish(0); // the user closed the game
        QCOMPARE(testAction()->text(), QStringLiteral("Tester votre jeu"));
    }

    // The plays latest first with date, map and length; one kept as a check, replayed, deleted.
    void playsWindow() {
        const QString dir = openProject(1);
        RecordingStore store(dir);
        putFile(store.padPath("a"), pad(3900));
        putFile(store.statePath("a"), "image=3900\ncarte=03\ncolonne=4\nligne=2\nvie=10\n");
        QImage(480, 272, QImage::Format_RGB32).save(store.screenPath("a"));
        putFile(store.padPath("b"), pad(600, 2, 1714500000)); // an earlier play
        trigger("parties");
        QWidget* window = child("parties");
        auto* view = window->findChild<QTreeView*>("listeParties");
        QAbstractItemModel* model = view->model();
        QCOMPARE(model->rowCount(), 2);
        QCOMPARE(model->index(0, 0).data().toString() + '|' + model->index(0, 1).data().toString() + '|' +
                     model->index(0, 2).data().toString(),
                 QDateTime::fromSecsSinceEpoch(1714573353).toString("dd/MM/yyyy HH:mm:ss") + "|03|1 min 05 s");
        QCOMPARE(text(window, "nombreParties"), QStringLiteral("2 parties"));

        view->setCurrentIndex(model->index(0, 0));
        mApp->dialogs.promptAnswers = {QStringLiteral("Porte de la carte 3")};
        click(window, "garder");
        QCOMPARE(model->index(0, 3).data().toString(), QStringLiteral("Porte de la carte 3"));
        QVERIFY(!window->findChild<QPushButton*>("garder")->isEnabled());
        click(window, "rejouer");
        const RecordingProcessService::Start replay = mApp->processes.started.last();
        QVERIFY(!replay.followed && replay.workingDirectory == dir);
        QCOMPARE(replay.arguments, (QStringList{"--frames", "3900", "--buttons", store.padPath("a"), "--keep-open",
                                                "index.lua"}));

        mApp->dialogs.answers = {MsgAnswer::Yes};
        click(window, "supprimer");
        QCOMPARE(model->rowCount(), 1);
        QVERIFY(!QFileInfo::exists(store.padPath("a")));
    }

    // A kept play replays the same, then different once a collision on its path is saved.
    void verificationReportsAChangedCollision() {
        QVERIFY(QDir(mApp->dir.filePath("data")).removeRecursively());
        QVERIFY(copyTree(QStringLiteral(QUENDAL_SOURCE_DIR "/data"), mApp->dir.filePath("data")));
        QVERIFY(QFile::link(QStringLiteral(QUENDAL_APP_BUILD_DIR "/luaplayer"), mApp->dir.filePath("luaplayer")));
        QVERIFY(createProject(mApp->paths, "Jeu", "Moi"));
        const QString dir = mApp->projectDir("Jeu");
        openFolder(dir);
        QVERIFY(compiler(dir).eventsWritten);
        RecordingStore store(dir);
        const auto files = store.newRecordFiles(QDateTime::currentDateTime());
        QVERIFY(putFile(dir + "/boutons.txt", "0\n5 cross\n7\n20 right\n44\n"));
        QCOMPARE(runProgram(mApp->paths.playerPath,
                            {"--headless", "--frames", "80", "--buttons", "boutons.txt", "--record", files->pad,
                             "--screenshot", files->screen, "--state", files->state, "index.lua"}, dir).exitCode,
                 0);
        QCOMPARE(store.keep(QFileInfo(files->pad).completeBaseName(), "Trois pas"), QString());

        mApp->processes.runForReal = true;
        trigger("verifier");
        auto* window = qobject_cast<VerificationWindow*>(child("verification"));
        QVERIFY(window && window->runner().isRunning()); // Quendal goes on meanwhile
        auto* results = window->findChild<QListWidget*>("resultats");
        QTRY_COMPARE_WITH_TIMEOUT(results->count(), 1, 60000);
        QCOMPARE(results->item(0)->text(), QStringLiteral("Trois pas : identique"));
        QTRY_VERIFY(!window->runner().isRunning());
        auto* progress = window->findChild<QProgressBar*>("avancement");
        QCOMPARE(progress->value(), progress->maximum());

        const auto map = MapDocument::open(mMain->session(), "01");
        map->toggleCollision((4 - 1) * 17 + (11 - 1));
        QCOMPARE(map->save(), QString());
        click(window, "verifierEncore");
        QTRY_COMPARE_WITH_TIMEOUT(results->count(), 1, 60000);
        QTRY_VERIFY_WITH_TIMEOUT(!window->runner().isRunning(), 60000);
        QCOMPARE(results->item(0)->text(), QStringLiteral("Trois pas : différente"));
        QCOMPARE(results->currentRow(), 0);
        QVERIFY(text(window, "differences").contains("Place du héros"));
        for (const char* picture : {"imageGardee", "imageRejeu"})
            QVERIFY(!window->findChild<QLabel*>(picture)->pixmap().isNull());
        QCOMPARE(text(window, "resume"), QStringLiteral("1 vérification : 1 différente."));
    }
};

QTEST_MAIN(TestPlayWindows)
#include "test_playwindows.moc"
