// The game engine of every project, played headless by the real luaplayer: title menu, maps,
// walking, collisions and the event functions, screens checked against the supplied pictures.
#include "build/compiler.h"
#include "build/launcher.h"
#include "project/module1.h"
#include "enginegame.h"

#include <QTest>

#include <optional>

namespace {

const QRgb kWhite = qRgb(255, 255, 255);
const QRgb kBlack = qRgb(0, 0, 0);

// Every arrival logs "column row map"; `lua` runs on arrival at (4, 2) of map 01.
QByteArray events(const QByteArray& lua = QByteArray()) {
    return "function runev(colonne,ligne,map)\n"
           "  local f = io.open('log.txt', 'a') f:write(colonne, ' ', ligne, ' ', map, '\\n') f:close()\n"
           "  if map == '01' and ligne == 2 and colonne == 4 then\n" + lua + "\n  end\nend\n";
}

bool isBlack(const QImage& screen, const QRect& area) {
    QImage black(area.size(), QImage::Format_RGB32);
    black.fill(kBlack);
    return screen.copy(area) == black;
}

} // namespace

class TestEngine : public QObject {
    Q_OBJECT
    std::optional<Game> mGame; // a new one for each test

private slots:
    void init() {
        mGame.emplace();
        QVERIFY(mGame->valid);
    }

    void heroOnMap01() {
        mGame->write("map01.map", patternMap(3, 2));
        const GameRun playing = mGame->play(20, kNewGame);
        QCOMPARE(playing.exitCode, 0);
        QVERIFY(cellShowsTile(playing.screen, "01", 1, 1, 2));
        QVERIFY(cellShowsTile(playing.screen, "01", 17, 8, 5));
        // Only the 8 rows the editor shows, though the file's 9th row is full of tiles.
        QVERIFY(isBlack(playing.screen, QRect(0, 8 * 29, 480, 262 - 8 * 29)));
        QVERIFY(heroShownAt(playing.screen, 3, 2, "face1"));
        QVERIFY(textShownAt(playing.screen, 4, 263, "Vie : 10", kWhite));
    }

    // A step takes 8 frames: a direction held from frame 10 to 25 walks two cells.
    void walkingAndCollisions_data() {
        QTest::addColumn<QPoint>("start");
        QTest::addColumn<QList<QPoint>>("blocked");
        QTest::addColumn<QByteArray>("buttons");
        QTest::addColumn<QPoint>("end");
        QTest::addColumn<QString>("sprite");
        QTest::addColumn<QByteArray>("log");
        QTest::newRow("right two cells") << QPoint(3, 2) << QList<QPoint>{} << QByteArray("10 right\n26\n")
                                         << QPoint(5, 2) << "droite1" << QByteArray("4 2 01\n5 2 01\n");
        QTest::newRow("collision after a step") << QPoint(3, 2) << QList<QPoint>{QPoint(5, 2)}
                                                << QByteArray("10 right\n30\n") << QPoint(4, 2) << "droite1"
                                                << QByteArray("4 2 01\n");
        QTest::newRow("right edge") << QPoint(17, 5) << QList<QPoint>{} << QByteArray("10 right\n30\n")
                                    << QPoint(17, 5) << "droite1" << QByteArray();
        QTest::newRow("eighth row is the bottom") << QPoint(3, 8) << QList<QPoint>{} << QByteArray("10 down\n30\n")
                                                  << QPoint(3, 8) << "face1" << QByteArray();
    }
    void walkingAndCollisions() {
        QFETCH(QPoint, start);
        QFETCH(QList<QPoint>, blocked);
        QFETCH(QByteArray, buttons);
        QFETCH(QPoint, end);
        QFETCH(QString, sprite);
        QFETCH(QByteArray, log);
        mGame->write("map01.map", patternMap(start.x(), start.y()));
        mGame->write("map01.ev", collisionFile(blocked));
        mGame->write("ev.lua", events());
        const GameRun run = mGame->play(45, kNewGame + buttons);
        QCOMPARE(run.log, log);
        QVERIFY(heroShownAt(run.screen, end.x(), end.y(), sprite));
    }

    // Right held from 10 to 100, a cell every 8 frames: the first arrival's 30-frame pause
    // leaves 6 more cells (10 without it).
    void pauseHoldsTheGame() {
        mGame->write("map01.map", patternMap(3, 2));
        mGame->write("ev.lua", events("screen.waitVblankStart(30)"));
        QCOMPARE(mGame->play(101, kNewGame + "10 right\n101\n").log,
                 QByteArray("4 2 01\n5 2 01\n6 2 01\n7 2 01\n8 2 01\n9 2 01\n10 2 01\n"));
    }

    // A text box blinks its marker until cross; 15 lives of 10 taken show 0, the hero dead,
    // a game-over screen in French only, and cross goes back to the title.
    void textBoxThenLifeAtZeroEndsTheGame() {
        mGame->write("map01.map", patternMap(3, 2));
        mGame->write("ev.lua", events("affichertexte(\"Aïe !\") hero.vie = hero.vie - 15"));
        const QByteArray buttons = kNewGame + "10 right\n12\n60 cross\n62\n160 cross\n162\n";
        const QImage on = mGame->play(30, buttons).screen, off = mGame->play(30 + 15, buttons).screen;
        const QPoint marker(466, 260);
        QCOMPARE(on.pixel(marker) == qRgb(110, 70, 20), off.pixel(marker) != qRgb(110, 70, 20));
        const QImage dead = mGame->play(80, buttons).screen;
        QVERIFY(heroShownAt(dead, 4, 2, "mort"));
        QVERIFY(textShownAt(dead, 4, 263, "Vie : 0", kWhite));
        const QImage over = mGame->play(150, buttons).screen;
        QVERIFY(textShownAt(over, 180, 130, "Partie terminée", kWhite));
        QVERIFY(isBlack(over, QRect(0, 100, 480, 20))); // no "Game over" above it
        QVERIFY(titleShown(mGame->play(175, buttons).screen));
    }

    // An unreadable map names itself on an error screen; cross goes back to the title.
    void badMapShowsAnErrorScreen() {
        mGame->write("map01.map", "");
        const QByteArray buttons = kNewGame + "30 cross\n32\n";
        const GameRun shown = mGame->play(20, buttons);
        QCOMPARE(shown.exitCode, 0);
        QVERIFY(textShownAt(shown.screen, 136, 120, "Carte invalide : map01.map", kWhite));
        QVERIFY(titleShown(mGame->play(40, buttons).screen));
    }

    // Cross held from the title through the arrival at 17 until 30, pressed again at 45.
    void affichertexteWaitsForANewPress() {
        mGame->write("map01.map", patternMap(3, 2));
        mGame->write("ev.lua", events("affichertexte(\"Bonjour\")\nlocal g = io.open('log.txt', 'a') g:write('suite') g:close()"));
        const QByteArray buttons = "0\n5 cross\n10 cross right\n18 cross\n30\n45 cross\n47\n";
        const GameRun waiting = mGame->play(40, buttons);
        QVERIFY(dialogShown(waiting.screen));
        QVERIFY(textShownAt(waiting.screen, 10, 200, "Bonjour", kBlack));
        QCOMPARE(waiting.log, QByteArray("4 2 01\n"));
        const GameRun closed = mGame->play(60, buttons);
        QCOMPARE(closed.log, QByteArray("4 2 01\nsuite"));
        QVERIFY(!dialogShown(closed.screen));
    }

    // The launcher is Windows-1252, the folder named in the system's encoding: the title comes up.
    void accentedProjectNamesStart_data() {
        QTest::addColumn<QString>("name");
        QTest::newRow("e acute") << QStringLiteral("Aventure d'été");
        QTest::newRow("oe ligature, 0x8C") << QStringLiteral("Œuvre");
    }
    void accentedProjectNamesStart() {
        QFETCH(QString, name);
        const QString app = mGame->dir.path();
        QVERIFY(createProject(AppPaths::inPlace(app), name, "Testeur"));
        QVERIFY(writeLauncher(app, name));
        const GameRun run = play(app, 3, kNewGame);
        QVERIFY2(!run.errors.contains("Error"), run.errors.constData());
        QCOMPARE(run.exitCode, 0);
        QVERIFY(titleShown(run.screen));
    }

    // A created project with an event saved as the editor does, built, played as "Tester votre jeu".
    void builtProjectPlaysEndToEnd() {
        const QString app = mGame->dir.path();
        // Hero at (9, 4) as created, a wall above, two cells right an event to map 02 (set 02).
        QVERIFY(writefile(QString::fromLatin1(collisionFile({QPoint(9, 3)}).chopped(2)), mGame->project("/map01.ev")));
        QVERIFY(writefile("\r\naffichertexte(\"Bonjour\")\r\nrunmap(\"02\")", mGame->project("/ev/map01/ev411")));
        mGame->write("images/map02/terrain.png", bytesOf(app + "/data/images/terrains/terrain02/terrain01.png"));
        QVERIFY(writefile(readfile(app + "/data/ftgmev.dat"), mGame->project("/map02.ev")));
        QVERIFY(writefile(readfile(app + "/data/ftgmma.dat"), mGame->project("/map02.map")));
        QVERIFY(writeini("Carte02", "texture", "02", mGame->project("/projet.ini")));
        QVERIFY(writeini("Jeu", "cartes", "02", mGame->project("/projet.ini")));
        const CompileResult built = compiler(app + "/projets/Jeu");
        QVERIFY(built.variablesWritten && built.eventsWritten);
        QVERIFY(writeLauncher(app, "Jeu"));

        const QByteArray buttons = kNewGame + "10 up\n20\n25 right\n41\n60 cross\n62\n";
        QVERIFY(heroShownAt(play(app, 22, buttons).screen, 9, 4, "dos1"));
        const GameRun talking = play(app, 55, buttons);
        QVERIFY(dialogShown(talking.screen));
        QVERIFY(heroShownAt(talking.screen, 11, 4, "droite1"));
        const GameRun map02 = play(app, 80, buttons);
        QCOMPARE(map02.exitCode, 0);
        QVERIFY2(!map02.errors.contains("Error"), map02.errors.constData());
        QVERIFY(cellShowsTile(map02.screen, "02", 1, 1, 0));
        QVERIFY(heroShownAt(map02.screen, 9, 4, "droite1"));
    }
};

QTEST_GUILESS_MAIN(TestEngine)
#include "tst_engine.moc"
