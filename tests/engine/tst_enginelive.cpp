// Live changes: the bundled game runs in-process, live and headless, while the test edits and
// saves the project through Quendal's own model, with Quendal's live rebuild. The game shows
// the changes without a restart, keeping place, life and variables, whatever screen it is on.
#include "build/compiler.h"
#include "build/liverebuild.h"
#include "events/scriptdocument.h"
#include "maps/mapdocument.h"
#include "project/module1.h"
#include "project/projectsession.h"
#include "variables/variables.h"
#include "enginegame.h"
#include "player/luarun.h"

#include <QTest>

#include <optional>

namespace {

// A project of the bundled game, open in a session, with a live rebuild as a test run has.
struct LiveGame : Game {
    ProjectSession session{AppPaths::inPlace(dir.path())};
    LiveRebuild rebuild{session};
    QStringList failures;

    LiveGame() {
        session.open("Jeu");
        QObject::connect(&rebuild, &LiveRebuild::failed, [this](const QString& m) { failures << m; });
    }

    // Saved through the documents, as the editors save.
    QString saveEvent(int row, int column, const QStringList& lines) {
        ScriptDocument script(session);
        script.openCell("01", row, column);
        while (!script.lines().isEmpty())
            script.removeLine(0);
        for (const QString& line : lines)
            script.appendLine(line);
        return script.save();
    }
    QString paintAndSave(int row, int column, const QString& code) {
        const auto map = MapDocument::open(session, "01");
        if (!map)
            return QStringLiteral("no map");
        map->changeCells({{(row - 1) * 17 + (column - 1), CellChange::Tile, QString(), code}}, "Peindre");
        return map->save();
    }
    QString addVariable(const QString& value) {
        const QString count = session.file().read().variableCountText();
        const auto error = ::addVariable(session.file(), count.isEmpty() ? "0" : count, value);
        session.notifyVariablesChanged();
        return error.value_or(QString());
    }
    // Builds as "Tester votre jeu" does, then plays live until `frames`, after `prelude`.
    QString play(ScriptedHost& host, int frames, const QByteArray& buttons, const QByteArray& prelude = {}) {
        const CompileResult built = compiler(project());
        if (!built.eventsWritten || !built.variablesWritten)
            return QStringLiteral("not built");
        rebuild.setActive(true);
        LuaPlayer player(host, {.maxFrames = frames, .buttons = ButtonScript::parse(buttons), .live = true});
        player.runString(prelude + " System.currentDirectory('" + project().toUtf8() + "') dofile('index.lua')", "=launcher");
        rebuild.setActive(false);
        return player.errorMessage();
    }
    QByteArray log() const { return bytesOf(project("/log.txt")); }
};

// The START menu: its picture, grown by 44 lines for the sound options, centred on the screen.
bool menuShown(const QImage& screen) {
    const QImage menu = picture("images/system/theme01/menuingame.png");
    const QImage top = menu.copy(0, 0, menu.width(), menu.height() - 4);
    return pictureShare(screen, top, (480 - menu.width()) / 2, (272 - menu.height() - 44) / 2) > 0.95;
}

// An event line that writes the first variables, the hero's cell and life to log.txt.
const QString kLogLine = QStringLiteral(
    "local f = io.open('log.txt', 'a') f:write(var[1], ' ', tostring(var[2]), ' ', hero.colonne, ' ', hero.vie, '\\n') f:close()");

} // namespace

class TestEngineLive : public QObject {
    Q_OBJECT
    std::optional<LiveGame> mGame; // a new one for each test, the hero at (3, 2)

private slots:
    void init() {
        mGame.emplace();
        QVERIFY(mGame->valid);
        QVERIFY(mGame->write("map01.map", patternMap(3, 2)));
    }

    // The event of (4, 2) sets variable 1 and takes 3 lives. At frame 40 a tile, an event at
    // (6, 2) and a variable are saved; by 45 the tile shows, the hero in place; at (6, 2) the
    // new event sees variable 1 as the game left it and the new variable's start value.
    void savesReachTheRunningGame() {
        LiveGame& game = *mGame;
        QCOMPARE(game.addVariable("0"), QString());
        QCOMPARE(game.saveEvent(2, 4, {"var[1] = \"oui\"", "hero.vie = hero.vie - 3"}), QString());
        ScriptedHost host;
        host.actions[40] = [&] {
            QCOMPARE(game.paintAndSave(1, 1, "7"), QString());
            QCOMPARE(game.saveEvent(2, 6, {kLogLine}), QString());
            QCOMPARE(game.addVariable("neuf"), QString());
        };
        host.shots[39];
        host.shots[45];
        QCOMPARE(game.play(host, 90, kNewGame + "10 right\n18\n60 right\n76\n"), QString());
        QVERIFY(game.failures.isEmpty());
        QVERIFY(cellShowsTile(host.shots[39], "01", 1, 1, 2));
        QVERIFY(cellShowsTile(host.shots[45], "01", 1, 1, 7));
        QVERIFY(heroShownAt(host.shots[45], 4, 2, "droite1"));
        QCOMPARE(game.log(), QByteArray("oui neuf 6 7\n"));
    }

    // Saved in Quendal, it is refused naming its cell, ev.lua untouched; written by hand, the
    // game keeps its events. Either way the event of (5, 2) still runs after it.
    void scriptThatDoesNotCompileIsRefused_data() {
        QTest::addColumn<bool>("throughQuendal");
        QTest::newRow("saved in Quendal") << true;
        QTest::newRow("written by hand") << false;
    }
    void scriptThatDoesNotCompileIsRefused() {
        QFETCH(bool, throughQuendal);
        LiveGame& game = *mGame;
        QCOMPARE(game.addVariable("0"), QString());
        QCOMPARE(game.saveEvent(2, 5, {kLogLine}), QString());
        QByteArray eventsBefore;
        ScriptedHost host;
        host.actions[30] = [&] {
            eventsBefore = bytesOf(game.project("/ev.lua"));
            if (throughQuendal)
                QCOMPARE(game.saveEvent(2, 4, {"if var[1] == \"0\" then"}), QString());
            else
                QVERIFY(game.write("ev.lua", "function runev(colonne,ligne,map)\n  if then\nend\n"));
        };
        host.shots[80];
        QCOMPARE(game.play(host, 85, kNewGame + "50 right\n66\n"), QString());
        QCOMPARE(game.failures.size(), throughQuendal ? 1 : 0);
        if (throughQuendal) {
            QVERIFY2(game.failures[0].contains("carte 01, ligne 2, colonne 4"), qPrintable(game.failures[0]));
            QCOMPARE(bytesOf(game.project("/ev.lua")), eventsBefore);
        }
        QCOMPARE(game.log(), QByteArray("0 nil 5 10\n"));
        QVERIFY(heroShownAt(host.shots[80], 5, 2, "droite1"));
    }

    // A map saved under a text box, the START menu, the dead hero or the title: the screen stays,
    // over the new map, and the game goes on when pressed on.
    void changeUnderTextBoxMenuAndGameOver_data() {
        QTest::addColumn<QString>("event");
        QTest::addColumn<QByteArray>("buttons");
        QTest::addColumn<int>("saveAt");
        QTest::addColumn<QString>("screen"); // what shows after the save
        QTest::addColumn<QByteArray>("after");
        QTest::newRow("text box") << "affichertexte(\"Bonjour\")" << QByteArray("10 right\n18\n") << 40
                                  << "dialog" << QByteArray("60 cross\n62\n");
        QTest::newRow("START menu") << "" << QByteArray("30 start\n32\n") << 40 << "menu"
                                    << QByteArray("60 start\n62\n");
        QTest::newRow("dead hero") << "hero.vie = 0" << QByteArray("10 right\n18\n") << 40 << "dead"
                                   << QByteArray("120 cross\n122\n");
        QTest::newRow("title") << "" << QByteArray() << 3 << "title" << QByteArray("60 cross\n62\n");
    }
    void changeUnderTextBoxMenuAndGameOver() {
        QFETCH(QString, event);
        QFETCH(QByteArray, buttons);
        QFETCH(int, saveAt);
        QFETCH(QString, screen);
        QFETCH(QByteArray, after);
        LiveGame& game = *mGame;
        if (!event.isEmpty())
            QCOMPARE(game.saveEvent(2, 4, {event}), QString());
        ScriptedHost host;
        host.actions[saveAt] = [&] { QCOMPARE(game.paintAndSave(1, 1, "7"), QString()); };
        host.shots[saveAt + 5];
        host.shots[150];
        const QByteArray start = screen == "title" ? QByteArray("0\n") : kNewGame;
        QCOMPARE(game.play(host, 155, start + buttons + after), QString());
        const QImage& shown = host.shots[saveAt + 5];
        QVERIFY(screen == "dialog" ? dialogShown(shown)
                : screen == "menu" ? menuShown(shown)
                : screen == "dead" ? heroShownAt(shown, 4, 2, "mort")
                                   : titleShown(shown));
        QVERIFY(screen == "title" || cellShowsTile(shown, "01", 1, 1, 7));
        if (screen == "dead") // pressed on: the title after the game over, else the new map
            QVERIFY(titleShown(host.shots[150]));
        else
            QVERIFY(cellShowsTile(host.shots[150], "01", 1, 1, 7) && !dialogShown(host.shots[150]));
    }

    // As on the console, without System.changedFiles and System.reportState.
    void gamePlaysWithoutTheDesktopFunctions() {
        LiveGame& game = *mGame;
        ScriptedHost host;
        host.shots[40];
        QCOMPARE(game.play(host, 45, kNewGame + "10 right\n18\n", "System.changedFiles = nil System.reportState = nil"),
                 QString());
        QVERIFY(heroShownAt(host.shots[40], 4, 2, "droite1"));
    }
};

QTEST_MAIN(TestEngineLive)
#include "tst_enginelive.moc"
