// The real luaplayer program: the error screen, exit statuses, command line mistakes, and
// scripts that once crashed or hung it, which now end in a Lua error with exit status 1.
#include "playerprogram.h"

#include <QTemporaryDir>
#include <QTest>

#include <sys/resource.h>

class TestPlayerProcess : public QObject {
    Q_OBJECT
    QTemporaryDir mDir;
    QByteArray mErrors;

    int run(const QStringList& args, const std::function<void()>& inChild = {}) {
        const ProgramRun ran = runLuaplayer(mDir.path(), QStringList{"--headless"} + args, [&](QProcess& p) {
            if (inChild)
                p.setChildProcessModifier(inChild);
        });
        mErrors = ran.errors;
        return ran.exitCode;
    }

private slots:
    // Waits on the error page until START goes down at frame 10, well before the frame limit.
    void errorScreenAndStatus() {
        QVERIFY(putFile(mDir.filePath("jeu.lua"), "screen.waitVblankStart(3)\nerror('boum')\n"));
        QVERIFY(putFile(mDir.filePath("boutons.txt"), "10 start\n"));
        const int status = run({"--frames", "100000", "--buttons", "boutons.txt", "--screenshot", "ecran.png", "jeu.lua"});
        const QString message = QStringLiteral("Error: jeu.lua:2: boum"); // white on black from (8, 8)
        QVERIFY(status > 0);
        QVERIFY2(mErrors.contains(message.toLatin1()), mErrors.constData());
        QImage expected(8 * message.size(), 8, QImage::Format_RGB32);
        expected.fill(Qt::black);
        paintGlyphs(expected, 0, 0, message, qRgb(255, 255, 255));
        QCOMPARE(QImage(mDir.filePath("ecran.png")).convertToFormat(QImage::Format_RGB32).copy(8, 8, expected.width(), 8),
                 expected);
    }

    void hostileScriptsEndInALuaError_data() {
        QTest::addColumn<QByteArray>("script");
        QTest::addColumn<QByteArray>("error"); // part of the message on standard error
        // Scripts that get through end with this error.
        const auto survives = [](const char* name, const QByteArray& script) {
            QTest::newRow(name) << script + "\nerror('end of script')\n" << QByteArray("end of script");
        };
        survives("blit from the lowest int", "screen:blit(-2147483648, 0, Image.createEmpty(16, 16), -1000, 0, -1000, 16)");
        survives("blit width past the source",
                 "screen:blit(-2147483648, 0, Image.createEmpty(16, 16), -2147483647, 0, -1, 16)");
        survives("blit beyond int", "screen:blit(1e300, -1e300, screen, 0/0, 1/0, -1/0, 2^40)");
        survives("fillRect to the highest int", "screen:fillRect(2147483647, 2147483647, 2147483647, 2147483647)"
                                                " screen:fillRect(-2147483648, -2147483648, 2147483647, 2147483647)");
        survives("drawLine to the highest int",
                 "screen:drawLine(0, 0, 2147483647, 0) screen:drawLine(-2147483648, 5, 2147483647, 7)");
        survives("fontPrint at the lowest int", "screen:fontPrint(Font.createMonoSpaced(), 0, -2147483648, 'x')");
        survives("colour of NaN", "local c = Color.new(0/0, 0/0, 0/0, 0/0):colors()"
                                  " assert(c.r == 0 and c.g == 0 and c.b == 0 and c.a == 0, c.r)");
        survives("timers of NaN and infinities", "local a, b, c = Timer.new(0/0), Timer.new(1/0), Timer.new(5) c:reset(-1/0)"
                                                 " assert(a:stop() < 1000 and b:stop() >= 2^53 and c:time() <= -2^53)");
        const auto fails = [](const char* name, const char* script, const char* error) {
            QTest::newRow(name) << QByteArray(script) << QByteArray(error);
        };
        fails("image kept by a weak table past its finaliser", "local c = setmetatable({}, {__mode = 'k'})"
              " c[Image.createEmpty(4, 4)] = true collectgarbage() for i in pairs(c) do print(i:width()) end",
              "attempt to use a freed Image");
        fails("image finalised by hand", "local i = Image.createEmpty(4, 4) i:__gc() i:__gc() screen:blit(0, 0, i)",
              "attempt to use a freed Image");
        fails("image finaliser given a colour", "local i = Image.createEmpty(4, 4) i.__gc(Color.new(1, 0, 1))",
              "bad argument #1 to '__gc' (Image expected, got userdata)");
        fails("timer finalised by hand", "local t = Timer.new() t:__gc() t:time()", "attempt to use a freed Timer");
        fails("timer finaliser given an image", "Timer.new().__gc(Image.createEmpty(1, 1))",
              "bad argument #1 to '__gc' (Timer expected, got userdata)");
        fails("pattern that recurses 400,000 times", "string.find(string.rep('a', 4e5), string.rep('a?', 4e5))",
              "pattern too complex");
        fails("pattern method, gsub", "(string.rep('a', 4e5)):gsub(string.rep('(a)?', 1e5), '')", "pattern too complex");
        // Images count against the game's memory although Lua's collector does not see them.
        fails("images held past the limit", "local keep = {} for i = 1, 100 do keep[i] = Image.createEmpty(512, 512) end",
              "hostile.lua:1: not enough memory");
        survives("discarded images are collected", "for i = 1, 300 do local image = Image.createEmpty(512, 512) end");
    }
    // With a game memory (--memory, in megabytes) of 16.
    void hostileScriptsEndInALuaError() {
        QFETCH(QByteArray, script);
        QFETCH(QByteArray, error);
        QVERIFY(putFile(mDir.filePath("hostile.lua"), script));
        QCOMPARE(run({"--memory", "16", "hostile.lua"}), 1);
        QVERIFY2(mErrors.contains(error), mErrors.constData());
    }

    // Memory runs out with a long message in hand: the error screen still shows what it holds.
    void errorScreenWhenMemoryRunsOut() {
#if defined(__SANITIZE_ADDRESS__)
        QSKIP("AddressSanitizer reserves more address space than the limit leaves");
#endif
        QVERIFY(putFile(mDir.filePath("full.lua"), R"(
local message, keep = string.rep("y", 8e6), {}
pcall(function() while true do keep[#keep + 1] = string.rep("x", 1e6) .. #keep end end)
for i = 1, 4 do keep[#keep] = nil end
collectgarbage() error(message, 0)
)"));
        const int status = run({"--memory", "4096", "--screenshot", "ecran.png", "full.lua"}, [] {
            const rlimit limit{400 << 20, 400 << 20};
            setrlimit(RLIMIT_AS, &limit);
        });
        QCOMPARE(status, 1);
        QVERIFY2(mErrors.contains("Error: yyyyyyyy"), mErrors.left(300).constData());
        QCOMPARE(QImage(mDir.filePath("ecran.png")).pixel(9, 8) & 0xFFFFFFu, 0xFFFFFFu); // the E of "Error"
    }

    void badCommandLine_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QByteArray>("error");
        QTest::newRow("no script") << QStringList{} << QByteArray("luaplayer: ");
        QTest::newRow("bad frame count") << QStringList{"--frames", "abc", "x.lua"} << QByteArray("luaplayer: ");
        QTest::newRow("bad memory size") << QStringList{"--memory", "0", "x.lua"} << QByteArray("luaplayer: ");
        QTest::newRow("unwritable sound recording") << QStringList{"--frames", "1", "--audio-out", "/nulle/part/son.wav", "x.lua"}
                                                    << QByteArray("luaplayer: impossible d'écrire /nulle/part/son.wav");
    }
    void badCommandLine() {
        QFETCH(QStringList, args);
        QFETCH(QByteArray, error);
        QVERIFY(putFile(mDir.filePath("x.lua"), ""));
        QCOMPARE(run(args), 2);
        QVERIFY2(mErrors.contains(error), mErrors.constData());
    }
};

QTEST_MAIN(TestPlayerProcess)
#include "tst_playerprocess.moc"
