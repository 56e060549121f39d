// What recorded plays and live changes rest on, in-process: the recorded pad, the frame
// clock, the player's own random numbers, the reported state, the file watch.
#include "player/buttonscript.h"
#include "luarun.h"
#include "player/filewatch.h"
#include "testsupport/files.h"

#include <QTemporaryDir>
#include <QTest>

#include <cstdlib>

class TestPlayRecord : public QObject {
    Q_OBJECT
private slots:
    // Recording reads the pad once a frame, as the replay does; scripted buttons hold from
    // their frame until the next line, named in any case.
    void recordingReadsThePadOnceAFrame() {
        const LuaRun run = runLua("for i = 1, 8 do Controls.read() screen.waitVblankStart() end",
                                  {.buttons = ButtonScript::parse("# essai\n3 cross\n5 start LEFT\n7\n"), .recording = true});
        QCOMPARE(run.error, QString());
        const ButtonScript replay = ButtonScript::parse(run.recording);
        for (std::uint32_t frame = 0; frame < 8; ++frame)
            QCOMPARE(replay.buttonsAt(frame), frame == 3 || frame == 4   ? quint32(PadMask::Cross)
                                              : frame == 5 || frame == 6 ? quint32(PadMask::Start | PadMask::Left)
                                                                         : 0u);
    }

    // The frames that replay a run to the same end, whether it ended at a blank or between two.
    void recordingTellsTheFramesThatReplayIt_data() {
        QTest::addColumn<QByteArray>("script");
        QTest::addColumn<int>("maxFrames");
        QTest::addColumn<int>("closeAt");
        QTest::addColumn<qint64>("frames");
        QTest::newRow("frame limit") << QByteArray("while true do screen.waitVblankStart() end") << 12 << -1 << qint64(12);
        QTest::newRow("script ends") << QByteArray("screen.waitVblankStart(7) screen.flip()") << -1 << -1 << qint64(8);
        QTest::newRow("closed: ends at the next blank")
            << QByteArray("while true do screen.waitVblankStart() Controls.read() end") << -1 << 9 << qint64(10);
    }
    void recordingTellsTheFramesThatReplayIt() {
        QFETCH(QByteArray, script);
        QFETCH(int, maxFrames);
        QFETCH(int, closeAt);
        QFETCH(qint64, frames);
        ScriptedHost host;
        host.closeAt = closeAt;
        const LuaRun run = runLua(script, {.maxFrames = maxFrames, .buttons = {}, .recording = true}, &host);
        QVERIFY(run.recording.contains("# images " + QByteArray::number(frames) + '\n'));
    }

    // On the frame clock timers and dates count 60 frames a second from the recorded start;
    // random numbers keep Lua 5.1's ranges and errors, and follow the seed; System.changedFiles
    // only when live.
    void scriptChecks_data() {
        QTest::addColumn<QByteArray>("check");
        QTest::addColumn<bool>("live");
        QTest::newRow("timer") << QByteArray("local t = Timer.new() screen.waitVblankStart(60)"
                                             " assert(t:time() == 1000 and os.clock() == 1, t:time())") << false;
        QTest::newRow("timer stopped and started") << QByteArray(
            "local t = Timer.new(5) screen.waitVblankStart(6) t:stop() screen.waitVblankStart(60)"
            " t:start() screen.waitVblankStart(3) assert(t:time() == 5 + 100 + 50, t:time())") << false;
        QTest::newRow("os.time") << QByteArray(
            "assert(os.time() == 1700000000) screen.waitVblankStart(125) assert(os.time() == 1700000002)"
            " assert(os.time({year = 2000, month = 1, day = 1, hour = 12}) ~= 1700000002)") << false;
        QTest::newRow("os.date") << QByteArray(
            "assert(os.date('!%Y-%m-%d %H:%M:%S') == '2023-11-14 22:13:20', os.date('!%Y-%m-%d %H:%M:%S'))"
            " assert(os.date('!%Y', 0) == '1970') assert(#os.date() > 0)") << false;
        QTest::newRow("random ranges") << QByteArray(
            "for i = 1, 2000 do local r, a, b = math.random(), math.random(6), math.random(-3, 3)"
            " assert(r >= 0 and r < 1 and a >= 1 and a <= 6 and a == math.floor(a) and b >= -3 and b <= 3) end") << false;
        QTest::newRow("empty random intervals") << QByteArray(
            "assert(not pcall(math.random, 0)) assert(not pcall(math.random, 3, 2))"
            " assert(select(2, pcall(math.random, 1, 2, 3)):find('wrong number of arguments'))") << false;
        QTest::newRow("same seed, same numbers") << QByteArray(
            "math.randomseed(42) local a = {math.random(), math.random(100)}"
            " math.randomseed(42) assert(a[1] == math.random() and a[2] == math.random(100))"
            " math.randomseed(43) assert(a[1] ~= math.random())") << false;
        QTest::newRow("changed files when live") << QByteArray("assert(System.changedFiles)") << true;
        QTest::newRow("no changed files otherwise")
            << QByteArray("assert(System.changedFiles == nil and System.reportState)") << false;
    }
    void scriptChecks() {
        QFETCH(QByteArray, check);
        QFETCH(bool, live);
        QCOMPARE(runLua(check, {.buttons = {}, .live = live, .frameClock = true, .clockStart = 1700000000}).error, QString());
    }

    // Random numbers do not change when some other code calls rand().
    void randomIsTheSameInEveryRun() {
        const QByteArray draw = "local t = {} for i = 1, 20 do t[i] = math.random(1000) end"
                                " System.reportState({ n = table.concat(t, ',') })";
        const QByteArray first = runLua(draw, {}).state;
        QVERIFY(first.count(',') == 19);
        std::srand(12345);
        for (int i = 0; i < 100; ++i)
            std::rand(); // another part of the program drawing numbers
        QCOMPARE(runLua(draw, {}).state, first);
    }

    // Strings, numbers and booleans sorted by name, after the frames run: the last report counts,
    // other values left out, line breaks made spaces, 16 fields at most.
    void reportedState() {
        const auto state = [](const QByteArray& report) { return runLua("screen.waitVblankStart(3) " + report).state; };
        QCOMPARE(state("System.reportState({ a = 1 }) System.reportState({ b = 2.5, c = true })"),
                 QByteArray("image=3\nb=2.5\nc=true\n"));
        QCOMPARE(state("System.reportState({ t = {}, f = print, [1] = 'x', s = 'a\\nb' })"), QByteArray("image=3\ns=a b\n"));
        QCOMPARE(state(""), QByteArray("image=3\n"));
        QCOMPARE(state("local t = {} for i = 1, 40 do t['f' .. i] = i end System.reportState(t)").count('\n'), 1 + 16);
    }

    // Named: files written in place, replaced by a rename (as Quendal saves), made anew, made
    // in a new subfolder at once; not hidden or untouched files.
    void fileWatchNamesChangedFiles_data() {
        QTest::addColumn<QString>("written");
        QTest::addColumn<bool>("byRename");
        QTest::addColumn<QStringList>("changed");
        QTest::newRow("written in place") << "map01.map" << false << QStringList{"map01.map"};
        QTest::newRow("replaced by rename") << "ev.lua" << true << QStringList{"ev.lua"};
        QTest::newRow("new file") << "map02.map" << false << QStringList{"map02.map"};
        QTest::newRow("new subfolder") << "images/map02/terrain.png" << false << QStringList{"images/map02/terrain.png"};
        QTest::newRow("hidden file") << ".cache" << false << QStringList{};
    }
    void fileWatchNamesChangedFiles() {
        QFETCH(QString, written);
        QFETCH(bool, byRename);
        QFETCH(QStringList, changed);
        QTemporaryDir dir;
        for (const char* name : {"map01.map", "ev.lua", "images/map01/terrain.png"})
            QVERIFY(putFile(dir.filePath(name), "0503\r\n"));
        FileWatch watch(dir.path());
        QCOMPARE(watch.takeChanged(), QStringList());
        const QString path = dir.filePath(byRename ? ".nouveau.~tmp" : written);
        QVERIFY(putFile(path, "0604\r\n"));
        if (byRename)
            QVERIFY(::rename(QFile::encodeName(path).constData(), QFile::encodeName(dir.filePath(written)).constData()) == 0);
        QStringList seen;
        for (int i = 0; i < 50 && (seen = watch.takeChanged()).isEmpty(); ++i)
            QTest::qWait(10);
        QCOMPARE(seen, changed);
        QCOMPARE(watch.takeChanged(), QStringList());
    }
};

QTEST_GUILESS_MAIN(TestPlayRecord)
#include "tst_playrecord.moc"
