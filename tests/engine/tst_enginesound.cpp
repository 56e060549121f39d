// The bundled game's sound and title, its mix recorded by the real luaplayer: tune, knock,
// the START menu's options, the name from infos.lua, projects older than sounds.
#include "enginegame.h"

#include <QTest>

#include <optional>

class TestEngineSound : public QObject {
    Q_OBJECT
    std::optional<Game> mGame; // a new one for each test, the hero at (3, 2) and a wall at (5, 2)

private slots:
    void init() {
        mGame.emplace();
        QVERIFY(mGame->valid);
        QVERIFY(mGame->write("map01.map", patternMap(3, 2)) && mGame->write("map01.ev", collisionFile({{5, 2}})));
    }

    // The tune from the title's first frame until the menu; right held against the wall from
    // 20 to 40 (a step then the push at 28) knocks once, again when pressed anew at 50.
    void titleTuneAndWallKnock() {
        const GameRun run = mGame->play(80, kNewGame + "20 right\n40\n50 right\n60\n");
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.sound.samples.size(), size_t(80 * AudioOutput::kFrameSamples * 2));
        QVERIFY(run.peak(0, 5) > 1000);
        QCOMPARE(run.peak(8, 28), 0);
        QVERIFY(run.peak(28, 31) > 4000);
        QCOMPARE(run.peak(35, 50), 0);
        QVERIFY(run.peak(50, 53) > 4000);
        QCOMPARE(run.peak(56, 80), 0);
    }

    // Cross on "Musique" and "Sons" in the START menu: no knock, no tune back on the title.
    void startMenuTurnsSoundsOff_data() {
        QTest::addColumn<bool>("turnOff");
        QTest::newRow("left on") << false;
        QTest::newRow("turned off") << true;
    }
    void startMenuTurnsSoundsOff() {
        QFETCH(bool, turnOff);
        // START at 10; down twice to "Musique" (cross), down to "Sons" (cross), START closes;
        // right against the wall from 40; START, down to "Menu principal", cross at 80.
        const QByteArray toggle = turnOff ? "22 cross\n24\n30 cross\n32\n" : "";
        const QByteArray buttons = kNewGame + "10 start\n12\n14 down\n16\n18 down\n20\n" + toggle +
                                   "26 down\n28\n34 start\n36\n40 right\n50\n60 start\n62\n66 down\n68\n80 cross\n82\n";
        const GameRun menu = mGame->play(33, buttons);
        QVERIFY(textShownAt(menu.screen, 174, 164, turnOff ? "Musique : non" : "Musique : oui", qRgb(250, 236, 200)));
        QVERIFY(textShownAt(menu.screen, 174, 178, turnOff ? "Sons : non" : "Sons : oui", qRgb(250, 236, 200)));
        const GameRun run = mGame->play(120, buttons);
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.peak(40, 50) > 4000, !turnOff);  // the knock
        QCOMPARE(run.peak(85, 120) > 1000, !turnOff); // the tune, back on the title screen
    }

    // A project made before sounds existed plays silently, without an error.
    void projectWithoutSoundsIsSilent() {
        QVERIFY(QDir(mGame->project("/sons")).removeRecursively());
        const GameRun run = mGame->play(60, kNewGame + "20 right\n40\n");
        QCOMPARE(run.exitCode, 0);
        QVERIFY2(!run.errors.contains("Error"), run.errors.constData());
        QCOMPARE(run.peak(0, 60), 0);
    }

    // The name and author come from infos.lua when it can be read; "Quendal" otherwise.
    void titleShowsTheGamesName_data() {
        QTest::addColumn<QByteArray>("infos"); // empty: no file
        QTest::addColumn<bool>("asQuendal");
        QTest::newRow("no infos.lua") << QByteArray() << true;
        QTest::newRow("broken file") << QByteArray("jeu = { nom = ") << true;
        QTest::newRow("empty name") << QByteArray("jeu = { nom = \"\" }") << true;
        QTest::newRow("a name") << QByteArray("jeu = { nom = \"L'\\233p\\233e \\\"d'or\\\"\", auteur = \"Zo\\235\" }") << false;
    }
    void titleShowsTheGamesName() {
        QFETCH(QByteArray, infos);
        QFETCH(bool, asQuendal);
        const QImage fallback = mGame->play(3, QByteArray()).screen;
        if (!infos.isEmpty())
            QVERIFY(mGame->write("infos.lua", infos));
        const GameRun run = mGame->play(3, QByteArray());
        QCOMPARE(run.exitCode, 0);
        QVERIFY2(!run.errors.contains("Error"), run.errors.constData());
        QCOMPARE(run.screen == fallback, asQuendal);
        // The name goes on the band below the logo, nowhere else.
        const QImage title = QImage(kData + "/images/system/theme01/imgprinc.png").convertToFormat(QImage::Format_RGB32);
        int changed = 0;
        for (int y = 0; y < 272; ++y)
            for (int x = 0; x < 480; ++x)
                if (run.screen.pixel(x, y) != title.pixel(x, y) && !QRect(140, 180, 200, 80).contains(x, y)) {
                    QVERIFY2(y >= 88 && y < 135, qPrintable(QString("(%1, %2)").arg(x).arg(y)));
                    ++changed;
                }
        QVERIFY(changed > 200);
    }
};

QTEST_GUILESS_MAIN(TestEngineSound)
#include "tst_enginesound.moc"
