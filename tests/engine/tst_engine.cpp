// The game engine copied into every project, played headless by the real luaplayer: the title
// menu, maps, walking and collisions, and the functions generated event lines call. Screens
// are checked against the supplied pictures.
#include "build/compiler.h"
#include "build/launcher.h"
#include "project/apppaths.h"
#include "project/creation.h"
#include "project/module1.h"
#include "testsupport/files.h"
#include "gamescreens.h"

#include <QImage>
#include <QPoint>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QRgb kWhite = qRgb(255, 255, 255);
const QRgb kBlack = qRgb(0, 0, 0);

struct GameRun {
    int exitCode = -1;
    QImage screen;  // the visible screen when the run ended
    QString errors; // the player's standard error
    QByteArray log; // what the game's Lua wrote to log.txt
};

// Plays script in dir for the frames with the scripted buttons ("FRAME BUTTON..." lines).
GameRun play(const QString& dir, int frames, const QByteArray& buttons, const QString& script = "index.lua") {
    putFile(dir + "/buttons.txt", buttons);
    QFile::remove(dir + "/screen.png");
    QFile::remove(dir + "/log.txt");
    QProcess process;
    process.setWorkingDirectory(dir);
    process.start(QUENDAL_APP_BUILD_DIR "/luaplayer", {"--headless", "--frames", QString::number(frames),
                  "--buttons", "buttons.txt", "--screenshot", "screen.png", script});
    GameRun run;
    if (!process.waitForFinished(60000))
        process.kill();
    run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.errors = QString::fromLocal8Bit(process.readAllStandardError());
    run.screen = QImage(dir + "/screen.png").convertToFormat(QImage::Format_ARGB32);
    run.log = bytesOf(dir + "/log.txt");
    return run;
}

// Data copied into a new application folder holding the project "Jeu".
struct Game {
    QTemporaryDir dir;
    bool valid = copyTree(kData, dir.path() + "/data") && createProject(AppPaths::inPlace(dir.path()), "Jeu", "Testeur");
    QString project(const QString& rel = QString()) const { return dir.path() + "/projets/Jeu" + rel; }
    void write(const QString& rel, const QByteArray& bytes) const { putFile(project("/" + rel), bytes); }
    GameRun play(int frames, const QByteArray& buttons) const { return ::play(project(), frames, buttons); }
};

// Events: every arrival writes "column row map" to log.txt, then the given Lua runs on
// arrival at column 4 of row 2 of map 01.
QByteArray events(const QByteArray& lua = QByteArray()) {
    return "function runev(colonne,ligne,map)\n"
           "  local f = io.open('log.txt', 'a') f:write(colonne, ' ', ligne, ' ', map, '\\n') f:close()\n"
           "  if map == '01' and ligne == 2 and colonne == 4 then\n" + lua + "\n  end\nend\n";
}

// The field is the 8 rows the editor shows: nothing is drawn between its foot (y = 232) and
// the status line, even from a map file whose 9th row is full of tiles.
bool belowFieldIsBlack(const QImage& screen) {
    for (int y = 8 * 29; y < 262; ++y)
        for (int x = 0; x < screen.width(); ++x)
            if ((screen.pixel(x, y) | 0xFF000000u) != kBlack)
                return false;
    return true;
}

// The glyph pixels of the text at (x, y) have the colour; the player itself draws the reference.
bool textShownAt(const QImage& screen, int x, int y, const QByteArray& text, QRgb colour) {
    QTemporaryDir scratch;
    putFile(scratch.filePath("draw.lua"), "screen:print(" + QByteArray::number(x) + ", " + QByteArray::number(y) +
                                              ", '" + text + "', Color.new(255, 255, 255))\nscreen.flip()\n");
    const QImage reference = play(scratch.path(), 10, QByteArray(), "draw.lua").screen;
    int glyphPixels = 0;
    for (int py = 0; py < reference.height(); ++py)
        for (int px = 0; px < reference.width(); ++px)
            if (reference.pixel(px, py) == 0xFFFFFFFFu) {
                ++glyphPixels;
                if ((screen.pixel(px, py) | 0xFF000000u) != (colour | 0xFF000000u))
                    return false;
            }
    return glyphPixels > 0;
}

} // namespace

class TestEngine : public QObject {
    Q_OBJECT
private slots:
    void titleMenuThenHeroOnMap01() {
        Game game;
        QVERIFY(game.valid);
        game.write("map01.map", patternMap(3, 2));
        QVERIFY(titleShown(game.play(3, kNewGame).screen));
        const GameRun playing = game.play(20, kNewGame);
        QCOMPARE(playing.exitCode, 0);
        QVERIFY(cellShowsTile(playing.screen, "01", 1, 1, 2));
        QVERIFY(cellShowsTile(playing.screen, "01", 17, 8, 5));
        QVERIFY(belowFieldIsBlack(playing.screen));
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
        Game game;
        QVERIFY(game.valid);
        game.write("map01.map", patternMap(start.x(), start.y()));
        game.write("map01.ev", collisionFile(blocked));
        game.write("ev.lua", events());
        const GameRun run = game.play(45, kNewGame + buttons);
        QCOMPARE(run.log, log);
        QVERIFY(heroShownAt(run.screen, end.x(), end.y(), sprite));
    }

    void eventLinesSeeCellVariablesAndLife() {
        Game game;
        QVERIFY(game.valid);
        game.write("map01.map", patternMap(3, 2));
        game.write("variables.lua", "--Variables du jeu\r\nvar = {}\r\nvar[1] = \"0\"\r\n");
        game.write("ev.lua", "function runev(colonne,ligne,map)\n"
                             "  local f = io.open('log.txt', 'a')\n"
                             "  f:write(type(colonne), type(map), ' ', var[1], ' ', hero.vie, '\\n') f:close()\n"
                             "  var[1] = \"oui\"\n"
                             "  hero.vie = hero.vie - 3\n"
                             "end\n");
        const GameRun run = game.play(40, kNewGame + "10 right\n26\n");
        QCOMPARE(run.log, QByteArray("numberstring 0 10\nnumberstring oui 7\n"));
        QVERIFY(textShownAt(run.screen, 4, 263, "Vie : 4", kWhite));
    }

    // Right is held from frame 10 to 100: an arrival every 8 frames, but a pause of 30
    // frames on the first arrival leaves time for 6 more cells only (10 without it).
    void pauseHoldsTheGame() {
        Game game;
        QVERIFY(game.valid);
        game.write("map01.map", patternMap(3, 2));
        game.write("ev.lua", events("screen.waitVblankStart(30)"));
        QCOMPARE(game.play(101, kNewGame + "10 right\n101\n").log,
                 QByteArray("4 2 01\n5 2 01\n6 2 01\n7 2 01\n8 2 01\n9 2 01\n10 2 01\n"));
    }

    void runmapChangesTheMap() {
        Game game;
        QVERIFY(game.valid);
        game.write("map01.map", patternMap(3, 2));
        game.write("map02.map", patternMap(6, 7));
        game.write("map02.ev", collisionFile({}));
        game.write("images/map02/terrain.png", bytesOf(kData + "/images/terrains/terrain02/terrain01.png"));
        game.write("ev.lua", events("runmap(\"02\")"));
        const GameRun run = game.play(40, kNewGame + "10 right\n26\n"); // the second step is on map 02
        QCOMPARE(run.log, QByteArray("4 2 01\n7 7 02\n"));
        QVERIFY(heroShownAt(run.screen, 7, 7, "droite1"));
        QVERIFY(cellShowsTile(run.screen, "02", 1, 1, 2));
    }

    // Life at 0 after an event: the dead hero, then the game-over screen until cross, then the
    // title menu.
    void lifeAtZeroEndsTheGame() {
        Game game;
        QVERIFY(game.valid);
        game.write("map01.map", patternMap(3, 2));
        game.write("ev.lua", events("hero.vie = 0"));
        const QByteArray buttons = kNewGame + "10 right\n12\n120 cross\n122\n";
        QVERIFY(heroShownAt(game.play(30, buttons).screen, 4, 2, "mort"));
        QVERIFY(textShownAt(game.play(100, buttons).screen, 180, 130, "Partie terminée", kWhite));
        QVERIFY(titleShown(game.play(130, buttons).screen));
    }

    // A map file that cannot be read names itself on an error screen; cross goes back to the
    // title menu.
    void badMapShowsAnErrorScreen() {
        Game game;
        QVERIFY(game.valid);
        game.write("map01.map", "");
        const QByteArray buttons = kNewGame + "30 cross\n32\n";
        const GameRun shown = game.play(20, buttons);
        QCOMPARE(shown.exitCode, 0);
        QVERIFY(textShownAt(shown.screen, 136, 120, "Carte invalide : map01.map", kWhite));
        QVERIFY(titleShown(game.play(40, buttons).screen));
    }

    // Cross stays down from the title menu through the arrival at frame 17 until frame 30,
    // and is pressed again at frame 45.
    void affichertexteWaitsForANewPress() {
        Game game;
        QVERIFY(game.valid);
        game.write("map01.map", patternMap(3, 2));
        game.write("ev.lua", events("affichertexte(\"Bonjour\")\nlocal g = io.open('log.txt', 'a') g:write('suite') g:close()"));
        const QByteArray buttons = "0\n5 cross\n10 cross right\n18 cross\n30\n45 cross\n47\n";
        const GameRun waiting = game.play(40, buttons);
        QVERIFY(dialogShown(waiting.screen));
        QVERIFY(textShownAt(waiting.screen, 10, 200, "Bonjour", kBlack));
        QCOMPARE(waiting.log, QByteArray("4 2 01\n"));
        const GameRun closed = game.play(60, buttons);
        QCOMPARE(closed.log, QByteArray("4 2 01\nsuite"));
        QVERIFY(!dialogShown(closed.screen));
    }

    // The launcher is Windows-1252 like every text file; the project folder on disk is named
    // in the system's encoding. The title menu must come up.
    void accentedProjectNamesStart_data() {
        QTest::addColumn<QString>("name");
        QTest::newRow("e acute") << QStringLiteral("Aventure d'été");
        QTest::newRow("diaeresis") << QStringLiteral("Noël");
        QTest::newRow("oe ligature, 0x8C") << QStringLiteral("Œuvre");
    }
    void accentedProjectNamesStart() {
        QFETCH(QString, name);
        QTemporaryDir app;
        QVERIFY(copyTree(kData, app.path() + "/data"));
        QVERIFY(createProject(AppPaths::inPlace(app.path()), name, "Testeur"));
        QVERIFY(writeLauncher(app.path(), name));
        const GameRun run = play(app.path(), 3, kNewGame);
        QVERIFY2(!run.errors.contains("Error"), qPrintable(run.errors));
        QCOMPARE(run.exitCode, 0);
        QVERIFY(titleShown(run.screen));
    }

    // A created project with an event saved as the event editor saves it, built, then played
    // through the launcher as "Tester votre jeu" does.
    void builtProjectPlaysEndToEnd() {
        Game game;
        QVERIFY(game.valid);
        const QString app = game.dir.path();
        // Map 01 as created (hero at column 9, row 4), a collision cell above the hero and an
        // event two cells to its right that goes to a map 02 of texture set 02.
        QVERIFY(writefile(QString::fromLatin1(collisionFile({QPoint(9, 3)}).chopped(2)), game.project("/map01.ev")));
        QVERIFY(writefile("\r\naffichertexte(\"Bonjour\")\r\nrunmap(\"02\")", game.project("/ev/map01/ev411")));
        game.write("images/map02/terrain.png", bytesOf(app + "/data/images/terrains/terrain02/terrain01.png"));
        QVERIFY(writefile(readfile(app + "/data/ftgmev.dat"), game.project("/map02.ev")));
        QVERIFY(writefile(readfile(app + "/data/ftgmma.dat"), game.project("/map02.map")));
        QVERIFY(writeini("Carte02", "texture", "02", game.project("/projet.ini")));
        QVERIFY(writeini("Jeu", "cartes", "02", game.project("/projet.ini")));
        const CompileResult built = compiler(app + "/projets/Jeu");
        QVERIFY(built.variablesWritten && built.eventsWritten);
        QVERIFY(writeLauncher(app, "Jeu"));

        const QByteArray buttons = kNewGame + "10 up\n20\n25 right\n41\n60 cross\n62\n";
        const GameRun blocked = play(app, 22, buttons);
        QVERIFY(heroShownAt(blocked.screen, 9, 4, "dos1"));
        const GameRun talking = play(app, 55, buttons);
        QVERIFY(dialogShown(talking.screen));
        QVERIFY(heroShownAt(talking.screen, 11, 4, "droite1"));
        const GameRun map02 = play(app, 80, buttons);
        QCOMPARE(map02.exitCode, 0);
        QVERIFY2(!map02.errors.contains("Error"), qPrintable(map02.errors));
        QVERIFY(cellShowsTile(map02.screen, "02", 1, 1, 0));
        QVERIFY(heroShownAt(map02.screen, 9, 4, "droite1"));
    }
};

QTEST_GUILESS_MAIN(TestEngine)
#include "tst_engine.moc"
