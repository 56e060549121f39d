// The player in-process and headless: drawings against pictures computed here, scripts' own
// assertions, and its plain classes.
#include "player/buttonscript.h"
#include "player/errortext.h"
#include "player/pad.h"
#include "player/playerwindow.h"
#include "player/runtime.h"
#include "player/windowhost.h"
#include "luarun.h"
#include "playerprogram.h"

#include <QElapsedTimer>
#include <QKeyEvent>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <functional>

namespace {

// Lua's allocator for a state where no block larger than 64 KB can be had.
void* smallBlocksOnly(void*, void* block, size_t, size_t size) {
    if (size == 0)
        std::free(block);
    return size == 0 || size > 64 * 1024 ? nullptr : std::realloc(block, size);
}

QImage filledScreen(QRgb color) {
    QImage image(480, 272, QImage::Format_RGB32);
    image.fill(color);
    return image;
}

// The bytes as a Lua string literal, each one escaped.
QByteArray luaString(const QByteArray& bytes) {
    QByteArray quoted = "'";
    for (char c : bytes)
        quoted += "\\" + QByteArray::number(static_cast<unsigned char>(c));
    return quoted + "'";
}

// The first differing pixel (alpha ignored), for a readable failure.
QString firstDifference(const QImage& a, const QImage& b) {
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if ((a.pixel(x, y) | 0xFF000000u) != (b.pixel(x, y) | 0xFF000000u))
                return QStringLiteral("pixel (%1, %2): %3 instead of %4")
                    .arg(x).arg(y).arg(a.pixel(x, y), 8, 16).arg(b.pixel(x, y), 8, 16);
    return a.size() == b.size() ? QString() : QStringLiteral("sizes differ");
}

// A 4 x 4 picture: opaque red, half-transparent green, fully transparent blue, opaque white.
const QByteArray kTile = R"(
local tile = Image.createEmpty(4, 4)
tile:fillRect(0, 0, 2, 2, Color.new(255, 0, 0))
tile:fillRect(2, 0, 2, 2, Color.new(0, 255, 0, 128))
tile:fillRect(0, 2, 2, 2, Color.new(0, 0, 255, 0))
tile:fillRect(2, 2, 2, 2, Color.new(255, 255, 255))
screen:clear(Color.new(10, 20, 30))
)";

QRgb tilePixel(int x, int y) {
    return y < 2 ? (x < 2 ? qRgba(255, 0, 0, 255) : qRgba(0, 255, 0, 128))
                 : (x < 2 ? qRgba(0, 0, 255, 0) : qRgba(255, 255, 255, 255));
}

// What the screen shows after a source pixel with alpha is drawn over an opaque one.
QRgb blendOverOpaque(QRgb s, QRgb d) {
    const auto mix = [a = qAlpha(s)](int sc, int dc) { return (sc * a + dc * (255 - a) + 127) / 255; };
    return qRgb(mix(qRed(s), qRed(d)), mix(qGreen(s), qGreen(d)), mix(qBlue(s), qBlue(d)));
}

// The message of what `call` throws; empty if it throws nothing.
QString thrown(const std::function<void()>& call) {
    try { call(); } catch (const std::runtime_error& e) { return QString(e.what()); }
    return QString();
}

} // namespace

class TestLuaPlayer : public QObject {
    Q_OBJECT
private slots:
    // The whole picture is blitted in the short form, a part of it in the long one.
    void blit_data() {
        QTest::addColumn<QPoint>("to");
        QTest::addColumn<QRect>("source");
        QTest::addColumn<bool>("alpha");
        QTest::newRow("alpha blended") << QPoint(10, 10) << QRect(0, 0, 4, 4) << true;
        QTest::newRow("raw copy") << QPoint(20, 10) << QRect(0, 0, 4, 4) << false;
        QTest::newRow("top left corner") << QPoint(-2, -3) << QRect(0, 0, 4, 4) << false;
        QTest::newRow("bottom right corner") << QPoint(478, 270) << QRect(0, 0, 4, 4) << true;
        QTest::newRow("source past the picture") << QPoint(50, 50) << QRect(2, 2, 10, 10) << false;
        QTest::newRow("negative source origin") << QPoint(50, 50) << QRect(-2, -1, 4, 4) << false;
    }
    void blit() {
        QFETCH(QPoint, to);
        QFETCH(QRect, source);
        QFETCH(bool, alpha);
        QString call = QString("screen:blit(%1, %2, tile").arg(to.x()).arg(to.y());
        if (source != QRect(0, 0, 4, 4))
            call += QString(", %1, %2, %3, %4").arg(source.x()).arg(source.y()).arg(source.width()).arg(source.height());
        const LuaRun r = runLua(kTile + (call + (alpha ? ")" : ", false)") + "\nscreen.flip()\n").toLatin1());
        const QRgb background = qRgb(10, 20, 30);
        QImage expected = filledScreen(background);
        for (int y = 0; y < 4; ++y)
            for (int x = 0; x < 4; ++x)
                if (const QPoint at = to + QPoint(x, y) - source.topLeft(); source.contains(x, y) && expected.valid(at))
                    expected.setPixel(at, alpha ? blendOverOpaque(tilePixel(x, y), background) : tilePixel(x, y));
        QCOMPARE(firstDifference(r.visible, expected), r.error);
    }

    // Bresenham's line from end to end, of which the screen shows what falls on it.
    void drawLineAsOnALargerSheet_data() {
        QTest::addColumn<QLine>("line");
        QTest::newRow("shallow") << QLine(10, 20, 200, 90);
        QTest::newRow("steep, backwards") << QLine(300, 250, 280, 3);
        QTest::newRow("both ends outside") << QLine(-700, 900, 1200, -150);
        QTest::newRow("vertical from below") << QLine(7, 5000, 7, -3);
        QTest::newRow("single point") << QLine(479, 271, 479, 271);
        QTest::newRow("nothing visible") << QLine(-10, -10, 600, -1);
    }
    void drawLineAsOnALargerSheet() {
        QFETCH(QLine, line);
        const LuaRun r = runLua(QString("screen:drawLine(%1, %2, %3, %4, Color.new(255, 255, 0))\nscreen.flip()\n")
                                    .arg(line.x1()).arg(line.y1()).arg(line.x2()).arg(line.y2()).toLatin1());
        QImage expected = filledScreen(qRgb(0, 0, 0));
        int x = line.x1(), y = line.y1();
        const int dx = std::abs(line.x2() - x), sx = x < line.x2() ? 1 : -1;
        const int dy = -std::abs(line.y2() - y), sy = y < line.y2() ? 1 : -1;
        for (int err = dx + dy;;) {
            if (expected.valid(x, y))
                expected.setPixel(x, y, qRgb(255, 255, 0));
            if (x == line.x2() && y == line.y2())
                break;
            const int e2 = 2 * err;
            if (e2 >= dy) { err += dy; x += sx; }
            if (e2 <= dx) { err += dx; y += sy; }
        }
        QCOMPARE(firstDifference(r.visible, expected), r.error);
    }

    void printDrawsOnlyGlyphPixels_data() {
        QTest::addColumn<QByteArray>("text");     // as Lua holds it
        QTest::addColumn<QString>("characters"); // what must be drawn
        QTest::addColumn<QPoint>("at");
        QTest::newRow("ascii") << QByteArray("Ab1!") << QStringLiteral("Ab1!") << QPoint(10, 20);
        QTest::newRow("windows-1252") << QByteArray("\xE9t\xE9 \x80") << QStringLiteral("été €") << QPoint(3, 7);
        QTest::newRow("utf-8") << QByteArray("\xC3\xA9l\xC3\xA8ve \xE2\x82\xAC") << QStringLiteral("élève €")
                               << QPoint(3, 7);
        QTest::newRow("clipped") << QByteArray("XYZ") << QStringLiteral("XYZ") << QPoint(470, 268);
    }
    void printDrawsOnlyGlyphPixels() {
        QFETCH(QByteArray, text);
        QFETCH(QString, characters);
        QFETCH(QPoint, at);
        const LuaRun r = runLua(QString("screen:print(%1, %2, %3, Color.new(250, 240, 0))\nscreen.flip()\n")
                                    .arg(at.x()).arg(at.y()).arg(QString(luaString(text))).toLatin1());
        QImage expected = filledScreen(qRgb(0, 0, 0));
        paintGlyphs(expected, at.x(), at.y(), characters, qRgb(250, 240, 0));
        QCOMPARE(firstDifference(r.visible, expected), r.error);
    }

    void pageFlippingShowsFrameBeforeLast() {
        const LuaRun r = runLua("screen:clear(Color.new(255, 0, 0)) screen.flip()"
                                " screen:clear(Color.new(0, 255, 0)) screen.flip() screen.flip()");
        QCOMPARE(firstDifference(r.visible, filledScreen(qRgb(255, 0, 0))), r.error);
        QCOMPARE(r.back.pixel(3, 3), qRgb(0, 255, 0));
    }

    void apiBehaviour_data() {
        QTest::addColumn<QByteArray>("script");
        QTest::newRow("color clamps") << QByteArray(
            "local c = Color.new(300, -4, 12.7):colors() assert(c.r == 255 and c.g == 0 and c.b == 12 and c.a == 255)");
        QTest::newRow("image sizes") << QByteArray(
            "assert(not pcall(Image.createEmpty, 0, 5)) assert(not pcall(Image.createEmpty, 513, 5))"
            " assert(Image.createEmpty(2, 2):pixel(1, 1) == Color.new(0, 0, 0, 0))");
        QTest::newRow("pixel outside is an error") << QByteArray(
            "local i = Image.createEmpty(2, 2) assert(not pcall(i.pixel, i, 2, 0))");
        QTest::newRow("screen as source") << QByteArray(
            "screen:clear(Color.new(7,8,9)) local i = Image.createEmpty(4, 4) i:blit(0, 0, screen)"
            " assert(i:pixel(3, 3) == Color.new(7,8,9))");
        QTest::newRow("timer") << QByteArray(
            "local t = Timer.new(500) local v = t:stop() assert(v >= 500 and t:time() == v)"
            " assert(t:reset(20) == v and t:time() == 20)");
        QTest::newRow("lua 5.1 compatibility") << QByteArray(
            "assert(table.getn({1,2}) == 2 and math.mod(7, 3) == 1 and string.gfind and unpack)");
        QTest::newRow("fillRect clipped at the edges") << QByteArray(
            "local r, g = Color.new(200, 0, 0), Color.new(0, 200, 0) screen:clear() screen:fillRect(-5, -5, 10, 10, r)"
            " screen:fillRect(475, 268, 10, 10, g) screen:fillRect(100, 100, -5, 5, r)"
            " assert(screen:pixel(4, 4) == r and screen:pixel(5, 5) ~= r and screen:pixel(479, 271) == g)"
            " assert(screen:pixel(474, 271) ~= g and screen:pixel(99, 100) ~= r and screen:pixel(100, 100) ~= r)");
        QTest::newRow("patterns below the depth limit") << QByteArray(
            "assert(string.find(string.rep('a?', 300), string.rep('a?', 300), 1, true) == 1)"
            " assert(('x-12'):match('^(%a)%-(%d+)$') == 'x') assert(select(2, ('a,b'):gsub(',', ';')) == 1)"
            " assert(string.find(string.rep('a', 50), string.rep('a?', 100)) == 1)"
            " for w in string.gmatch('un deux', '%a+') do end");
        QTest::newRow("nothing that runs programs") << QByteArray(
            "assert(os.execute == nil and io.popen == nil and package.loadlib == nil and package.cpath == '')"
            " assert(#package.loaders == 2 and package.preload)"
            " assert(debug.sethook == nil and debug.setmetatable == nil and debug.getregistry == nil)"
            " assert(debug.traceback and debug.getinfo and os.time() and os.clock() and os.date('%Y'))");
        QTest::newRow("no precompiled chunks") << QByteArray(
            "local dumped = string.dump(function() return 1 end) assert(not loadstring(dumped))"
            " local sent = false local f, message = load(function() if not sent then sent = true return dumped end end)"
            " assert(f == nil and message:find('binary chunk'), message)"
            " assert(loadstring('return 2')() == 2)");
        QTest::newRow("file modes as the C library must see them") << QByteArray(
            "assert(not pcall(io.open, 'x', 'r,ccs=UTF-8')) assert(not pcall(io.open, 'x', 'rw'))");
        QTest::newRow("os.exit ends quietly") << QByteArray("os.exit(0) error('not reached')");
    }
    void apiBehaviour() {
        QFETCH(QByteArray, script);
        QCOMPARE(runLua(script).error, QString());
    }

    // Files found whatever their letter case, by require as by dofile; no compiled chunks;
    // the working directory put back.
    void scriptFilesAndFolders() {
        QTemporaryDir dir;
        QVERIFY(putFile(dir.filePath("Sub/Data/Script.Lua"), "loaded = 42\n"));
        QVERIFY(putFile(dir.filePath("Outils/Compte.lua"), "return { n = 41 }\n"));
        QVERIFY(putFile(dir.filePath("\xC3\xA9t\xC3\xA9.lua"), "#!/usr/bin/lua\nreturn debug.getinfo(1, 'l').currentline\n"));
        QImage picture(3, 2, QImage::Format_ARGB32);
        picture.fill(qRgb(10, 20, 30));
        QVERIFY(picture.save(dir.filePath("Sub/Face.PNG")));
        const QString before = QDir::currentPath();
        const LuaRun r = runLua("local root = '" + QFile::encodeName(QDir(dir.path()).canonicalPath()) + "'\n" + R"(
System.currentDirectory(root)
assert(require("outils.compte").n == 41 and package.loaded["outils.compte"] and not pcall(require, "absent"))
assert(dofile("\233t\233.lua") == 2)
local out = io.open("compiled.lua", "wb") out:write(string.dump(function() end)) out:close()
local f, message = loadfile("compiled.lua")
assert(f == nil and message:find("binary chunk") and not pcall(dofile, "compiled.lua"), message)
local missing, why = loadfile("absent.lua")
assert(missing == nil and why:find("cannot open absent.lua"), why)
assert(System.currentDirectory("sub") == root and System.currentDirectory() == root .. "/Sub")
dofile("DATA/script.lua")
assert(loaded == 42 and Image.load("face.png"):pixel(2, 1) == Color.new(10, 20, 30))
)");
        QCOMPARE(r.error, QString());
        QCOMPARE(QDir::currentPath(), before);
    }

    // Names in Windows-1252 (or UTF-8 of existing files) are found, and listed names find them.
    void pathStringsAreWindows1252_data() {
        QTest::addColumn<QString>("onDisk");
        QTest::addColumn<QByteArray>("asked");
        QTest::newRow("e acute") << QStringLiteral("été.lua") << QByteArray("\xE9t\xE9.lua");
        QTest::newRow("oe ligature 0x8C") << QStringLiteral("Œuvre/x.lua") << QByteArray("\x8Cuvre/x.lua");
        QTest::newRow("other letter case") << QStringLiteral("ÉTÉ.lua") << QByteArray("\xE9t\xE9.lua");
        QTest::newRow("utf-8 of an existing file") << QStringLiteral("Noël.lua") << QByteArray("No\xC3\xABl.lua");
        QTest::newRow("outside windows-1252") << QStringLiteral("日本.lua") << QString("日本.lua").toUtf8();
    }
    void pathStringsAreWindows1252() {
        QFETCH(QString, onDisk);
        QFETCH(QByteArray, asked);
        QTemporaryDir dir;
        QVERIFY(putFile(dir.filePath(onDisk), "loaded = (loaded or 0) + 1\n"));
        const LuaRun r = runLua("System.currentDirectory('" + QFile::encodeName(dir.path()) + "') dofile(" + luaString(asked)
                                + ")\n" + R"(
local function walk(folder)
  for _, e in ipairs(System.listDirectory(folder)) do
    local path = folder .. "/" .. e.name
    if not e.directory then dofile(path) elseif e.name ~= "." and e.name ~= ".." then walk(path) end
  end
end
walk(".")
assert(loaded == 2, "loaded " .. tostring(loaded))
)");
        QCOMPARE(r.error, QString());
    }

    // A script that never waits for a frame still sees Esc and the close button, asked 300 ms
    // in: it must end within half a second of that. Each script gives up by itself after 5 s.
    void closeStopsAScriptThatNeverWaits_data() {
        QTest::addColumn<QByteArray>("script");
        QTest::addColumn<bool>("closeButton"); // else Esc
        const QByteArray t = "local t = os.clock() ";
        QTest::newRow("endless loop, Esc") << t + "while os.clock() - t < 5 do end" << false;
        QTest::newRow("endless tail calls, close button")
            << t + "local function f() if os.clock() - t < 5 then return f() end end f()" << true;
        QTest::newRow("endless lines, Esc")
            << t + "while os.clock() - t < 5 do screen:drawLine(0, 0, 2147483647, 0) end" << false;
    }
    void closeStopsAScriptThatNeverWaits() {
        QFETCH(QByteArray, script);
        QFETCH(bool, closeButton);
        WindowHost host(1);
        PlayerOptions options;
        options.waitOnError = false;
        LuaPlayer player(host, options);
        QElapsedTimer clock;
        qint64 askedAt = -1;
        QTimer ask; // owned by this row, so that it cannot fire in the next one
        ask.setSingleShot(true);
        connect(&ask, &QTimer::timeout, [&] {
            askedAt = clock.elapsed();
            QKeyEvent esc(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
            if (closeButton)
                host.window().close();
            else
                QCoreApplication::sendEvent(&host.window(), &esc);
        });
        ask.start(300);
        clock.start();
        QCOMPARE(player.runString(script), 0);
        const qint64 late = clock.elapsed() - 300;
        QVERIFY2(askedAt >= 0, "no window event was handled while the script ran");
        qInfo("closed %lld ms after the request was due", late);
        QVERIFY(late < 500);
    }

    // Keys by place on the keyboard, let go on focus loss; the page scaled by whole factors.
    void windowKeysAndScale() {
        QCOMPARE(padButtonForKey(24, Qt::Key_A), quint32(PadMask::LTrigger)); // AZERTY A at the Q place
        QCOMPARE(padButtonForKey(38, Qt::Key_Q), quint32(PadMask::Select));
        QCOMPARE(padButtonForKey(0, Qt::Key_S), quint32(PadMask::Start)); // no code: by letter
        QCOMPARE(padButtonForKey(0, Qt::Key_Space), 0u);
        PlayerWindow window;
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Right, Qt::NoModifier, 114, 0, 0);
        QCoreApplication::sendEvent(&window, &press);
        QCOMPARE(window.heldButtons(), quint32(PadMask::Right));
        QFocusEvent out(QEvent::FocusOut);
        QCoreApplication::sendEvent(&window, &out);
        QCOMPARE(window.heldButtons(), 0u);
        window.resize(1000, 600);
        QCOMPARE(window.screenRect(), QRect(20, 28, 960, 544));
        window.resize(240, 200);
        QCOMPARE(window.screenRect(), QRect(0, 32, 240, 136));
    }

    void buttonScriptErrorsNameTheLine() {
        const QString error = thrown([] { ButtonScript::parse("0 cross\n\n3 cross jump\n"); });
        QVERIFY2(error.contains("line 3: unknown button 'jump'"), qPrintable(error));
    }

    void errorLines() {
        QCOMPARE(wrapErrorLines("a\nb\n", 58, 23), (QStringList{"a", "b", ""}));
        QCOMPARE(wrapErrorLines("aaa bbb ccc", 7, 23), (QStringList{"aaa bbb", "ccc"})); // at the last space that fits
        QCOMPARE(wrapErrorLines("abcdefghij", 4, 23), (QStringList{"abcd", "efgh", "ij"}));
        QCOMPARE(wrapErrorLines("a\tb", 58, 23), QStringList{"a  b"});
        QCOMPARE(wrapErrorLines("aaa    bbb  ", 4, 23), (QStringList{"aaa ", "bbb"})); // blanks after a cut dropped
        QCOMPARE(wrapErrorLines(QString("y ").repeated(1000), 10, 3), QStringList(3, "y y y y y"));
    }

    // Cut after 4 bytes; a cut between the two bytes of "é" steps back before it (UTF-8).
    void errorMessageIsCut() {
        QCOMPARE(errorMessageText("\xE9t\xE9", 4), QStringLiteral("été"));
        QCOMPARE(errorMessageText(QByteArray(10, 'y'), 4), QStringLiteral("yyyy [6 more bytes]"));
        QCOMPARE(errorMessageText("yyy\xC3\xA9y", 4), QStringLiteral("yyy [3 more bytes]"));
    }

    // A Lua error (out of memory the likeliest) inside protectedCall comes back as an exception,
    // not a longjmp over the binding's frames, which hold Qt objects.
    void protectedCallsThrow() {
        lua_State* L = lua_newstate(smallBlocksOnly, nullptr);
        lua::installProtectedCalls(L);
        const QByteArray big(1 << 20, 'x');
        QCOMPARE(thrown([&] { lua::pushBytes(L, big.constData(), big.size()); }), QString("not enough memory"));
        QCOMPARE(lua_gettop(L), 0);
        QCOMPARE(thrown([&] { lua::protectedCall(L, [](lua_State* s) { return luaL_error(s, "boum"); }); }),
                 QString("boum"));
        lua::pushBytes(L, "abc", 3);
        QCOMPARE(lua_gettop(L), 1);
        QCOMPARE(lua_tostring(L, 1), "abc");
        lua_close(L);
    }
};

QTEST_MAIN(TestLuaPlayer)
#include "tst_luaplayer.moc"
