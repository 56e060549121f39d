// The game engine copied into every project, played by the real luaplayer without a window:
// the title menu, maps, walking and collisions, the functions event lines call, the menus,
// game over and bad map files. Screens are checked against the supplied pictures.

#include "engine/enginetesthelpers.h"

#include "build/compiler.h"
#include "build/launcher.h"
#include "project/module1.h"

#include <QDir>
#include <QFile>
#include <QPoint>
#include <QTest>

namespace {

// Buttons of the title menu's "Nouvelle partie": cross down on frame 5, up on frame 7.
const QByteArray kNewGame = "0\n5 cross\n7\n";
const QRgb kWhite = qRgb(255, 255, 255);
const QRgb kBlack = qRgb(0, 0, 0);

// Events that write every arrival to log.txt as "column row map".
const QByteArray kLogArrivals =
    "function runev(colonne,ligne,map)\n"
    "  local f = io.open('log.txt', 'a') f:write(colonne, ' ', ligne, ' ', map, '\\n') f:close()\n"
    "end\n";

// Events: the given Lua runs on arrival at column 4 of row 2 of map 01.
QByteArray eventAt42(const QByteArray& lua) {
    return "function log(...) local f = io.open('log.txt', 'a') f:write(...) f:close() end\n"
           "function runev(colonne,ligne,map)\n"
           "  if map == '01' and ligne == 2 and colonne == 4 then\n" + lua + "\n  end\nend\n";
}

bool titleShown(const QImage& screen) {
    return pictureShare(screen, loadPicture(QStringLiteral("images/system/theme01/imgprinc.png")), 0, 0) > 0.8
           && pictureShare(screen, loadPicture(QStringLiteral("images/system/theme01/menuprinc.png")), 140, 180) > 0.9;
}

bool dialogShown(const QImage& screen) {
    return pictureShare(screen, loadPicture(QStringLiteral("images/system/theme01/parler.png")), 0, 192) > 0.95;
}

QImage sheet(const QString& set) {
    return loadPicture(QStringLiteral("images/terrains/terrain") + set + QStringLiteral("/terrain01.png"));
}

} // namespace

class TestEngine : public QObject {
    Q_OBJECT

private slots:
    void titleMenuThenNewGameShowsMap01();
    void quitEndsTheScript();
    void walking_data();
    void walking();
    void eventsGetCellNumbersVariablesAndLife();
    void pauseInEventHoldsTheGame_data();
    void pauseInEventHoldsTheGame();
    void runmapFromEventChangesMap();
    void affichertexteWaitsForANewPress();
    void wrapText_data();
    void wrapText();
    void deathShowsGameOverThenTitle();
    void startMenu_data();
    void startMenu();
    void badMapShowsErrorScreen_data();
    void badMapShowsErrorScreen();
    void eventErrorReachesThePlayer();
    void builtProjectPlaysEndToEnd();
};

void TestEngine::titleMenuThenNewGameShowsMap01() {
    GameFolder game;
    QVERIFY(game.isValid());
    // Row 9 is short and holds a character that is no tile code.
    QByteArray map = patternMap(3, 2);
    map.replace("01234567890123456\r\n", "12x\r\n");
    game.write(QStringLiteral("map01.map"), map);
    game.write(QStringLiteral("map01.ev"), collisionFile({}));

    const GameRun title = game.play(3, kNewGame);
    QCOMPARE(title.exitCode, 0);
    QVERIFY(titleShown(title.screen));

    const GameRun playing = game.play(20, kNewGame);
    QCOMPARE(playing.exitCode, 0);
    const QImage terrain = sheet(QStringLiteral("01"));
    QVERIFY(cellShowsTile(playing.screen, terrain, 1, 1, 2));
    QVERIFY(cellShowsTile(playing.screen, terrain, 10, 5, 5));
    QVERIFY(cellShowsTile(playing.screen, terrain, 17, 8, 5));
    QVERIFY(cellShowsTile(playing.screen, terrain, 2, 9, 2));
    QVERIFY(cellIsBlack(playing.screen, 3, 9));
    QVERIFY(cellIsBlack(playing.screen, 4, 9));
    QVERIFY(heroShownAt(playing.screen, 3, 2, QStringLiteral("face1")));
    QVERIFY(textShownAt(playing.screen, 4, 263, "Vie : 10", kWhite));
}

void TestEngine::quitEndsTheScript() {
    GameFolder game;
    QVERIFY(game.isValid());
    const GameRun run = game.play(200, "0\n5 down\n7\n10 cross\n12\n");
    QCOMPARE(run.exitCode, 0);
    QVERIFY(run.errors.indexOf(QStringLiteral("Error")) < 0);
    QVERIFY(!titleShown(run.screen));
    QCOMPARE(run.screen.pixel(240, 200), kBlack);
}

void TestEngine::walking_data() {
    QTest::addColumn<QByteArray>("map");
    QTest::addColumn<QList<QPoint>>("blocked");
    QTest::addColumn<QByteArray>("buttons");
    QTest::addColumn<QPoint>("end");
    QTest::addColumn<QString>("sprite");
    QTest::addColumn<QByteArray>("log");

    // A step takes 4 frames: a direction held from frame 10 to 17 walks two cells.
    QTest::newRow("right two cells") << patternMap(3, 2) << QList<QPoint>{} << QByteArray("10 right\n18\n")
                                     << QPoint(5, 2) << "droite1" << QByteArray("4 2 01\n5 2 01\n");
    QTest::newRow("down then left") << patternMap(3, 2) << QList<QPoint>{}
                                    << QByteArray("10 down\n14\n20 left\n24\n") << QPoint(2, 3) << "gauche1"
                                    << QByteArray("3 3 01\n2 3 01\n");
    QTest::newRow("up") << patternMap(3, 2) << QList<QPoint>{} << QByteArray("10 up\n14\n") << QPoint(3, 1)
                        << "dos1" << QByteArray("3 1 01\n");
    QTest::newRow("collision cell") << patternMap(3, 2) << QList<QPoint>{QPoint(4, 2)}
                                    << QByteArray("10 right\n30\n") << QPoint(3, 2) << "droite1" << QByteArray();
    QTest::newRow("collision after a step") << patternMap(3, 2) << QList<QPoint>{QPoint(5, 2)}
                                            << QByteArray("10 right\n30\n") << QPoint(4, 2) << "droite1"
                                            << QByteArray("4 2 01\n");
    QTest::newRow("right edge") << patternMap(17, 5) << QList<QPoint>{} << QByteArray("10 right\n30\n")
                                << QPoint(17, 5) << "droite1" << QByteArray();
    QTest::newRow("top edge") << patternMap(3, 1) << QList<QPoint>{} << QByteArray("10 up\n30\n") << QPoint(3, 1)
                              << "dos1" << QByteArray();
    QTest::newRow("ninth row is the bottom") << patternMap(3, 8) << QList<QPoint>{} << QByteArray("10 down\n30\n")
                                             << QPoint(3, 9) << "face1" << QByteArray("3 9 01\n");
    QByteArray emptyNinthRow = patternMap(3, 8);
    emptyNinthRow.replace("01234567890123456\r\n", "\r\n");
    QTest::newRow("empty ninth row is no floor") << emptyNinthRow << QList<QPoint>{} << QByteArray("10 down\n30\n")
                                                 << QPoint(3, 8) << "face1" << QByteArray();
    QTest::newRow("bottom of a four-row map")
        << mapFile(3, 3, {"00000000000000000", "00000000000000000", "00000000000000000", "00000000000000000"})
        << QList<QPoint>{} << QByteArray("10 down\n30\n") << QPoint(3, 4) << "face1" << QByteArray("3 4 01\n");
}

void TestEngine::walking() {
    QFETCH(QByteArray, map);
    QFETCH(QList<QPoint>, blocked);
    QFETCH(QByteArray, buttons);
    QFETCH(QPoint, end);
    QFETCH(QString, sprite);
    QFETCH(QByteArray, log);
    GameFolder game;
    QVERIFY(game.isValid());
    game.write(QStringLiteral("map01.map"), map);
    game.write(QStringLiteral("map01.ev"), collisionFile(blocked));
    game.write(QStringLiteral("ev.lua"), kLogArrivals);

    const GameRun run = game.play(45, kNewGame + buttons);
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.log, log);
    QVERIFY(heroShownAt(run.screen, end.x(), end.y(), sprite));
}

void TestEngine::eventsGetCellNumbersVariablesAndLife() {
    GameFolder game;
    QVERIFY(game.isValid());
    game.write(QStringLiteral("map01.map"), patternMap(3, 2));
    game.write(QStringLiteral("variables.lua"), "--Variables du jeu\r\nvar = {}\r\nvar[1] = \"0\"\r\n");
    game.write(QStringLiteral("ev.lua"),
               "function runev(colonne,ligne,map)\n"
               "  local f = io.open('log.txt', 'a')\n"
               "  f:write(type(colonne), type(ligne), type(map), ' ', colonne, ' ', ligne, ' ', map,\n"
               "          ' ', var[1], ' ', hero.vie, '\\n')\n"
               "  f:close()\n"
               "  var[1] = \"oui\"\n"
               "  hero.vie = hero.vie - 3\n"
               "end\n");

    const GameRun run = game.play(40, kNewGame + "10 right\n18\n");
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.log, QByteArray("numbernumberstring 4 2 01 0 10\nnumbernumberstring 5 2 01 oui 7\n"));
    QVERIFY(textShownAt(run.screen, 4, 263, "Vie : 4", kWhite));
}

void TestEngine::pauseInEventHoldsTheGame_data() {
    QTest::addColumn<int>("pause");
    QTest::addColumn<QByteArray>("log");
    // Right is held from frame 10 to 60. Without a pause the hero arrives every 4 frames;
    // a pause of 30 frames on the first arrival leaves time for 4 more cells.
    QTest::newRow("no pause") << 0 << QByteArray("4 5 6 7 8 9 10 11 12 13 14 15 ");
    QTest::newRow("30 frames") << 30 << QByteArray("4 5 6 7 8 ");
}

void TestEngine::pauseInEventHoldsTheGame() {
    QFETCH(int, pause);
    QFETCH(QByteArray, log);
    GameFolder game;
    QVERIFY(game.isValid());
    game.write(QStringLiteral("map01.map"), patternMap(3, 2));
    game.write(QStringLiteral("ev.lua"),
               "function runev(colonne,ligne,map)\n"
               "  local f = io.open('log.txt', 'a') f:write(colonne, ' ') f:close()\n"
               "  if colonne == 4 then screen.waitVblankStart(" + QByteArray::number(pause) + ") end\n"
               "end\n");
    const GameRun run = game.play(61, kNewGame + "10 right\n61\n");
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.log, log);
}

void TestEngine::runmapFromEventChangesMap() {
    GameFolder game;
    QVERIFY(game.isValid());
    game.write(QStringLiteral("map01.map"), patternMap(3, 2));
    game.write(QStringLiteral("map02.map"), patternMap(6, 7));
    game.write(QStringLiteral("map02.ev"), collisionFile({}));
    QVERIFY(QDir().mkpath(game.projectDir() + QStringLiteral("/images/map02")));
    QVERIFY(QFile::copy(game.appDir() + QStringLiteral("/data/images/terrains/terrain02/terrain01.png"),
                        game.projectDir() + QStringLiteral("/images/map02/terrain.png")));
    game.write(QStringLiteral("ev.lua"),
               "function runev(colonne,ligne,map)\n"
               "  local f = io.open('log.txt', 'a') f:write(colonne, ' ', ligne, ' ', map, '\\n') f:close()\n"
               "  if map == '01' and colonne == 4 then runmap(\"02\") end\n"
               "end\n");

    // The first step arrives on the event cell; the second walks on map 02.
    const GameRun run = game.play(40, kNewGame + "10 right\n18\n");
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.log, QByteArray("4 2 01\n7 7 02\n"));
    QVERIFY(heroShownAt(run.screen, 7, 7, QStringLiteral("droite1")));
    QVERIFY(cellShowsTile(run.screen, sheet(QStringLiteral("02")), 1, 1, 2));
    QVERIFY(textShownAt(run.screen, 480 - 4 - 8 * 8, 263, "Carte 02", kWhite));
}

void TestEngine::affichertexteWaitsForANewPress() {
    GameFolder game;
    QVERIFY(game.isValid());
    game.write(QStringLiteral("map01.map"), patternMap(3, 2));
    game.write(QStringLiteral("ev.lua"), eventAt42("affichertexte(\"Bonjour\")\nlog('suite')"));
    // Cross stays down from the title menu until frame 30, through the arrival at frame 13,
    // and is pressed again at frame 45.
    const QByteArray buttons = "0\n5 cross\n10 cross right\n14 cross\n30\n45 cross\n47\n";

    const GameRun waiting = game.play(40, buttons);
    QCOMPARE(waiting.exitCode, 0);
    QVERIFY(dialogShown(waiting.screen));
    QVERIFY(textShownAt(waiting.screen, 10, 200, "Bonjour", kBlack));
    QCOMPARE(waiting.log, QByteArray());

    const GameRun closed = game.play(60, buttons);
    QCOMPARE(closed.log, QByteArray("suite"));
    QVERIFY(!dialogShown(closed.screen));
    QVERIFY(cellShowsTile(closed.screen, sheet(QStringLiteral("01")), 5, 8, 3));
}

void TestEngine::wrapText_data() {
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QByteArray>("lines");
    // Lines of at most 10 characters.
    QTest::newRow("short") << QByteArray("Bonjour") << QByteArray("Bonjour");
    QTest::newRow("breaks at spaces") << QByteArray("un deux trois quatre") << QByteArray("un deux|trois|quatre");
    QTest::newRow("long word cut") << QByteArray("abcdefghijklmnop") << QByteArray("abcdefghij|klmnop");
    QTest::newRow("UTF-8 counts characters") << QByteArray("éééé ééééé") << QByteArray("éééé ééééé");
    QTest::newRow("Windows-1252 counts bytes") << QByteArray("\xe9\xe9\xe9\xe9 \xe9\xe9\xe9\xe9\xe9")
                                              << QByteArray("\xe9\xe9\xe9\xe9 \xe9\xe9\xe9\xe9\xe9");
    QTest::newRow("line break") << QByteArray("un\ndeux") << QByteArray("un|deux");
    QTest::newRow("spaces") << QByteArray("  a   b ") << QByteArray("a b");
    QTest::newRow("empty") << QByteArray() << QByteArray();
}

void TestEngine::wrapText() {
    QFETCH(QByteArray, text);
    QFETCH(QByteArray, lines);
    GameFolder game;
    QVERIFY(game.isValid());
    game.write(QStringLiteral("case.txt"), text);
    game.write(QStringLiteral("wrap.lua"),
               "dofile('ram.lua')\n"
               "local f = io.open('case.txt', 'rb') local text = f:read('*a') f:close()\n"
               "local out = io.open('log.txt', 'wb')\n"
               "out:write(table.concat(engine.wrapText(text, 10), '|'))\n"
               "out:close()\n");
    const GameRun run = game.play(10, QByteArray(), QStringLiteral("wrap.lua"));
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.log, lines);
}

void TestEngine::deathShowsGameOverThenTitle() {
    GameFolder game;
    QVERIFY(game.isValid());
    game.write(QStringLiteral("map01.map"), patternMap(3, 2));
    game.write(QStringLiteral("variables.lua"), "var = {}\r\nvar[1] = \"0\"\r\n");
    game.write(QStringLiteral("ev.lua"), eventAt42("log(var[1], ' ')\nvar[1] = 'mort'\nhero.vie = hero.vie - 10"));
    // A game that ends on frame 13; after the game-over screen, a second game from frame 140.
    const QByteArray buttons = kNewGame + "10 right\n14\n110 cross\n112\n140 cross\n142\n150 right\n154\n";

    const GameRun dying = game.play(40, buttons);
    QVERIFY(heroShownAt(dying.screen, 4, 2, QStringLiteral("mort")));
    const GameRun over = game.play(100, buttons);
    QVERIFY(textShownAt(over.screen, centredX("Partie terminée"), 130, "Partie terminée", kWhite));
    const GameRun title = game.play(130, buttons);
    QVERIFY(titleShown(title.screen));
    // The new game starts with full life and the variables' start values.
    const GameRun again = game.play(190, buttons);
    QCOMPARE(again.exitCode, 0);
    QVERIFY(heroShownAt(again.screen, 4, 2, QStringLiteral("mort")));
    QCOMPARE(again.log, QByteArray("0 0 "));
    const GameRun before = game.play(148, buttons);
    QVERIFY(textShownAt(before.screen, 4, 263, "Vie : 10", kWhite));
}

void TestEngine::startMenu_data() {
    QTest::addColumn<QByteArray>("buttons");
    QTest::addColumn<bool>("toTitle");
    // START at frame 15 opens the menu; the choice is made at frame 30.
    QTest::newRow("Reprendre") << QByteArray("30 cross\n32\n") << false;
    QTest::newRow("START closes") << QByteArray("30 start\n32\n") << false;
    QTest::newRow("Menu principal") << QByteArray("20 down\n22\n30 cross\n32\n") << true;
}

void TestEngine::startMenu() {
    QFETCH(QByteArray, buttons);
    QFETCH(bool, toTitle);
    GameFolder game;
    QVERIFY(game.isValid());
    game.write(QStringLiteral("map01.map"), patternMap(3, 2));
    game.write(QStringLiteral("ev.lua"), kLogArrivals);
    const QByteArray all = kNewGame + "15 start\n17\n" + buttons + "50 right\n54\n";

    const GameRun menu = game.play(25, all);
    const QImage picture = loadPicture(QStringLiteral("images/system/theme01/menuingame.png"));
    QVERIFY(pictureShare(menu.screen, picture, 140, 96) > 0.9);

    const GameRun after = game.play(70, all);
    QCOMPARE(after.exitCode, 0);
    QCOMPARE(titleShown(after.screen), toTitle);
    QCOMPARE(after.log, toTitle ? QByteArray() : QByteArray("4 2 01\n"));
}

void TestEngine::badMapShowsErrorScreen_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<QByteArray>("content"); // empty: the file is removed
    QTest::addColumn<QByteArray>("events");
    QTest::addColumn<QByteArray>("message");

    const QByteArray none = "function runev() end";
    QTest::newRow("map file missing") << "map01.map" << QByteArray() << none << QByteArray("Carte invalide : map01.map");
    QTest::newRow("map file empty") << "map01.map" << QByteArray("\r\n") << none
                                    << QByteArray("Carte invalide : map01.map");
    QTest::newRow("header not digits") << "map01.map" << QByteArray("ab04\r\n00000000000000000\r\n") << none
                                       << QByteArray("Carte invalide : map01.map");
    QTest::newRow("start beyond the rows") << "map01.map" << mapFile(3, 5, {"0", "0", "0", "0"}) << none
                                           << QByteArray("Carte invalide : map01.map");
    QTest::newRow("start column 18") << "map01.map" << patternMap(18, 1) << none
                                     << QByteArray("Carte invalide : map01.map");
    QTest::newRow("tile sheet missing") << "images/map01/terrain.png" << QByteArray() << none
                                        << QByteArray("Carte invalide : images/map01/terrain.png");
    QTest::newRow("runmap to a missing map") << "map01.map" << patternMap(3, 2) << eventAt42("runmap(\"03\")")
                                             << QByteArray("Carte invalide : map03.map");
}

void TestEngine::badMapShowsErrorScreen() {
    QFETCH(QString, file);
    QFETCH(QByteArray, content);
    QFETCH(QByteArray, events);
    QFETCH(QByteArray, message);
    GameFolder game;
    QVERIFY(game.isValid());
    if (content.isEmpty())
        game.remove(file);
    else
        game.write(file, content);
    game.write(QStringLiteral("ev.lua"), events);
    const QByteArray buttons = kNewGame + "10 right\n14\n50 start\n52\n";

    const GameRun error = game.play(40, buttons);
    QCOMPARE(error.exitCode, 0);
    QVERIFY2(error.errors.indexOf(QStringLiteral("Error")) < 0, qPrintable(error.errors));
    QVERIFY(textShownAt(error.screen, centredX(message), 120, message, kWhite));
    const GameRun title = game.play(70, buttons);
    QVERIFY(titleShown(title.screen));
}

void TestEngine::eventErrorReachesThePlayer() {
    GameFolder game;
    QVERIFY(game.isValid());
    game.write(QStringLiteral("map01.map"), patternMap(3, 2));
    game.write(QStringLiteral("ev.lua"), eventAt42("error('boum dans un evenement')"));
    const GameRun run = game.play(40, kNewGame + "10 right\n14\n");
    QCOMPARE(run.exitCode, 1);
    QVERIFY2(run.errors.contains(QStringLiteral("Error:")) && run.errors.contains(QStringLiteral("boum dans un evenement")),
             qPrintable(run.errors));
}

void TestEngine::builtProjectPlaysEndToEnd() {
    GameFolder game;
    QVERIFY(game.isValid());
    const QString app = game.appDir();
    const QString project = game.projectDir();
    // Map 01 as created (hero at column 9, row 4), a collision cell above the hero and an
    // event two cells to its right, saved as the event editor saves it.
    QVERIFY(writefile(QString::fromLatin1(collisionFile({QPoint(9, 3)}).chopped(2)), project + QStringLiteral("/map01.ev")));
    QVERIFY(writefile(QStringLiteral("\r\naffichertexte(\"Bonjour\")\r\nrunmap(\"02\")"),
                      project + QStringLiteral("/ev/map01/ev411")));
    // Map 02 as "Nouvelle carte" makes it, with texture set 02.
    QVERIFY(QDir().mkpath(project + QStringLiteral("/images/map02")));
    QVERIFY(QDir().mkpath(project + QStringLiteral("/ev/map02")));
    QVERIFY(QFile::copy(app + QStringLiteral("/data/images/terrains/terrain02/terrain01.png"),
                        project + QStringLiteral("/images/map02/terrain.png")));
    QVERIFY(writefile(readfile(app + QStringLiteral("/data/ftgmev.dat")), project + QStringLiteral("/map02.ev")));
    QVERIFY(writefile(readfile(app + QStringLiteral("/data/ftgmma.dat")), project + QStringLiteral("/map02.map")));
    const QString ini = project + QStringLiteral("/projet.ini");
    QVERIFY(writeini(QStringLiteral("Carte02"), QStringLiteral("texture"), QStringLiteral("02"), ini));
    QVERIFY(writeini(QStringLiteral("Jeu"), QStringLiteral("cartes"), QStringLiteral("02"), ini));

    const CompileResult built = compiler(app, QStringLiteral("Jeu"));
    QVERIFY(built.variablesWritten && built.eventsWritten);
    QVERIFY(writeLauncher(app, QStringLiteral("Jeu")));

    // Up is stopped by the collision cell; right walks two cells onto the event.
    const QByteArray buttons = kNewGame + "10 up\n20\n25 right\n33\n50 cross\n52\n";
    const GameRun blocked = game.playLauncher(22, buttons);
    QCOMPARE(blocked.exitCode, 0);
    QVERIFY(heroShownAt(blocked.screen, 9, 4, QStringLiteral("dos1")));
    QVERIFY(cellShowsTile(blocked.screen, sheet(QStringLiteral("01")), 1, 1, 0));

    const GameRun talking = game.playLauncher(45, buttons);
    QVERIFY(dialogShown(talking.screen));
    QVERIFY(textShownAt(talking.screen, 10, 200, "Bonjour", kBlack));
    QVERIFY(heroShownAt(talking.screen, 11, 4, QStringLiteral("droite1")));

    const GameRun map02 = game.playLauncher(70, buttons);
    QCOMPARE(map02.exitCode, 0);
    QVERIFY2(map02.errors.indexOf(QStringLiteral("Error")) < 0, qPrintable(map02.errors));
    QVERIFY(!dialogShown(map02.screen));
    QVERIFY(cellShowsTile(map02.screen, sheet(QStringLiteral("02")), 1, 1, 0));
    QVERIFY(heroShownAt(map02.screen, 9, 4, QStringLiteral("droite1")));
}

QTEST_GUILESS_MAIN(TestEngine)
#include "tst_engine.moc"
