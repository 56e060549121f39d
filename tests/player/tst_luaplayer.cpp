// The Lua API run in-process, headless: drawings are compared pixel for pixel with pictures
// computed here, behaviour is checked by assertions inside the scripts.
#include "playertesthelpers.h"

#include "player/font8x8.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

// What the screen shows after a source pixel with alpha is drawn over an opaque one.
QRgb blendOverOpaque(QRgb s, QRgb d) {
    const int a = qAlpha(s);
    const auto mix = [a](int sc, int dc) { return (sc * a + dc * (255 - a) + 127) / 255; };
    return qRgb(mix(qRed(s), qRed(d)), mix(qGreen(s), qGreen(d)), mix(qBlue(s), qBlue(d)));
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

// A 4 x 4 picture: opaque red, half-transparent green, fully transparent blue, opaque white.
const char kTile[] = R"(
local tile = Image.createEmpty(4, 4)
tile:fillRect(0, 0, 2, 2, Color.new(255, 0, 0))
tile:fillRect(2, 0, 2, 2, Color.new(0, 255, 0, 128))
tile:fillRect(0, 2, 2, 2, Color.new(0, 0, 255, 0))
tile:fillRect(2, 2, 2, 2, Color.new(255, 255, 255))
)";

QRgb tilePixel(int x, int y) {
    if (y < 2)
        return x < 2 ? qRgba(255, 0, 0, 255) : qRgba(0, 255, 0, 128);
    return x < 2 ? qRgba(0, 0, 255, 0) : qRgba(255, 255, 255, 255);
}

} // namespace

class TestLuaPlayer : public QObject {
    Q_OBJECT
private slots:
    void blitWithAndWithoutAlpha();
    void blitClipping_data();
    void blitClipping();
    void fillRectClipsAtEdges();
    void printDrawsOnlyGlyphPixels_data();
    void printDrawsOnlyGlyphPixels();
    void pageFlippingShowsFrameBeforeLast();
    void waitVblankCountsFrames_data();
    void waitVblankCountsFrames();
    void frameLimitStopsEvenInsidePcall();
    void scriptedButtons();
    void apiBehaviour_data();
    void apiBehaviour();
    void errorsCarryFileAndLine();
    void currentDirectoryReturnsOldFolder();
    void launcherRunsProjectIndex();
    void pathsIgnoreCase();
};

void TestLuaPlayer::blitWithAndWithoutAlpha() {
    const LuaRun r = runLua(QByteArray(kTile) + R"(
screen:clear(Color.new(10, 20, 30))
screen:blit(10, 10, tile)
screen:blit(20, 10, tile, false)
screen:blit(30, 10, tile, 0, 0, 4, 4, true)
screen.flip()
)");
    QCOMPARE(r.status, 0);
    QImage expected = filledScreen(qRgb(10, 20, 30));
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x) {
            const QRgb s = tilePixel(x, y);
            const QRgb over = qAlpha(s) == 0 ? qRgb(10, 20, 30) : blendOverOpaque(s, qRgb(10, 20, 30));
            expected.setPixel(10 + x, 10 + y, over);
            expected.setPixel(20 + x, 10 + y, s | 0xFF000000u); // raw copy; the display ignores alpha
            expected.setPixel(30 + x, 10 + y, over);
        }
    QCOMPARE(firstDifference(r.visible, expected), QString());
    // The raw copy kept the source alpha in the page itself.
    QCOMPARE(qAlpha(r.visible.pixel(0, 0)), 255);
}

void TestLuaPlayer::blitClipping_data() {
    QTest::addColumn<int>("dx");
    QTest::addColumn<int>("dy");
    QTest::addColumn<QList<int>>("source"); // sx, sy, w, h; empty for the whole picture
    QTest::newRow("top left corner") << -2 << -3 << QList<int>{};
    QTest::newRow("bottom right corner") << 478 << 270 << QList<int>{};
    QTest::newRow("left edge") << -1 << 100 << QList<int>{};
    QTest::newRow("fully outside") << 480 << 272 << QList<int>{};
    QTest::newRow("far outside") << -100 << 5 << QList<int>{};
    QTest::newRow("sub-rectangle") << 50 << 50 << QList<int>{1, 1, 2, 3};
    QTest::newRow("source rectangle past the picture") << 50 << 50 << QList<int>{2, 2, 10, 10};
    QTest::newRow("negative source origin") << 50 << 50 << QList<int>{-2, -1, 4, 4};
    QTest::newRow("source and screen edge") << 477 << -1 << QList<int>{1, 0, 8, 8};
}

void TestLuaPlayer::blitClipping() {
    QFETCH(int, dx);
    QFETCH(int, dy);
    QFETCH(QList<int>, source);
    QByteArray call = "screen:blit(" + QByteArray::number(dx) + ", " + QByteArray::number(dy) + ", tile";
    for (int v : source)
        call += ", " + QByteArray::number(v);
    call += ", false)\n";
    const LuaRun r = runLua(QByteArray(kTile) + "screen:clear(Color.new(1, 2, 3))\n" + call + "screen.flip()\n");
    QCOMPARE(r.error, QString());

    const int sx = source.isEmpty() ? 0 : source[0], sy = source.isEmpty() ? 0 : source[1];
    const int w = source.isEmpty() ? 4 : source[2], h = source.isEmpty() ? 4 : source[3];
    QImage expected = filledScreen(qRgb(1, 2, 3));
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const int px = sx + x, py = sy + y; // source pixel
            if (px < 0 || py < 0 || px >= 4 || py >= 4)
                continue;
            const int tx = dx + x, ty = dy + y;
            if (expected.rect().contains(tx, ty))
                expected.setPixel(tx, ty, tilePixel(px, py) | 0xFF000000u);
        }
    QCOMPARE(firstDifference(r.visible, expected), QString());
}

void TestLuaPlayer::fillRectClipsAtEdges() {
    const LuaRun r = runLua(R"(
screen:fillRect(-5, -5, 10, 10, Color.new(200, 0, 0))
screen:fillRect(475, 268, 10, 10, Color.new(0, 200, 0))
screen:fillRect(100, 100, -5, 5, Color.new(0, 0, 200))
local img = Image.createEmpty(8, 8)
img:fillRect(-2, 6, 20, 20, Color.new(9, 9, 9))
screen:blit(200, 200, img)
screen.flip()
)");
    QCOMPARE(r.error, QString());
    QImage expected = filledScreen(qRgb(0, 0, 0));
    for (int y = 0; y < 272; ++y)
        for (int x = 0; x < 480; ++x) {
            if (x < 5 && y < 5)
                expected.setPixel(x, y, qRgb(200, 0, 0));
            if (x >= 475 && y >= 268)
                expected.setPixel(x, y, qRgb(0, 200, 0));
            if (x >= 200 && x < 208 && y >= 206 && y < 208)
                expected.setPixel(x, y, qRgb(9, 9, 9));
        }
    QCOMPARE(firstDifference(r.visible, expected), QString());
}

void TestLuaPlayer::printDrawsOnlyGlyphPixels_data() {
    QTest::addColumn<QByteArray>("text");     // as Lua holds it
    QTest::addColumn<QString>("characters"); // what must be drawn
    QTest::addColumn<int>("x");
    QTest::addColumn<int>("y");
    QTest::newRow("ascii") << QByteArray("Ab1!") << QStringLiteral("Ab1!") << 10 << 20;
    QTest::newRow("utf-8 accents") << QByteArray("\xC3\xA9t\xC3\xA9 \xC3\xA7\xC3\xA0") << QStringLiteral("été çà") << 0 << 0;
    QTest::newRow("windows-1252 accents") << QByteArray("\xE9t\xE9 \x80") << QStringLiteral("été €") << 3 << 7;
    QTest::newRow("clipped at the right and bottom") << QByteArray("XYZ") << QStringLiteral("XYZ") << 470 << 268;
    QTest::newRow("clipped at the left and top") << QByteArray("Wq") << QStringLiteral("Wq") << -4 << -3;
}

void TestLuaPlayer::printDrawsOnlyGlyphPixels() {
    QFETCH(QByteArray, text);
    QFETCH(QString, characters);
    QFETCH(int, x);
    QFETCH(int, y);
    QByteArray quoted;
    for (char c : text)
        quoted += "\\" + QByteArray::number(static_cast<unsigned char>(c));
    const LuaRun r = runLua("screen:clear(Color.new(0, 0, 90))\nscreen:print(" + QByteArray::number(x) + ", "
                            + QByteArray::number(y) + ", \"" + quoted
                            + "\", Color.new(250, 240, 0))\nscreen.flip()\n");
    QCOMPARE(r.error, QString());
    QImage expected = filledScreen(qRgb(0, 0, 90));
    for (int i = 0; i < characters.size(); ++i) {
        QVERIFY2(hasGlyph8x8(characters[i].unicode()), qPrintable(characters.mid(i, 1)));
        const Glyph8x8& g = glyph8x8(characters[i].unicode());
        for (int row = 0; row < 8; ++row)
            for (int col = 0; col < 8; ++col)
                if ((g[row] >> (7 - col)) & 1 && expected.rect().contains(x + 8 * i + col, y + row))
                    expected.setPixel(x + 8 * i + col, y + row, qRgb(250, 240, 0));
    }
    QCOMPARE(firstDifference(r.visible, expected), QString());
}

void TestLuaPlayer::pageFlippingShowsFrameBeforeLast() {
    const LuaRun r = runLua(R"(
local red, green = Color.new(255, 0, 0), Color.new(0, 255, 0)
assert(screen:pixel(0, 0) == Color.new(0, 0, 0), "pages start black")
screen:clear(red)
screen.flip()
screen:fillRect(0, 0, 1, 1, Color.new(1, 1, 1)) -- drawn on the other page
assert(screen:pixel(1, 1) == Color.new(0, 0, 0), "second page still black")
screen:clear(green)
screen.flip()
assert(screen:pixel(5, 5) == red, "back page holds the frame before last")
screen.flip()
)");
    QCOMPARE(r.error, QString());
    QCOMPARE(firstDifference(r.visible, filledScreen(qRgb(255, 0, 0))), QString());
    QCOMPARE(r.back.pixel(3, 3), qRgba(0, 255, 0, 255));
}

void TestLuaPlayer::waitVblankCountsFrames_data() {
    QTest::addColumn<QByteArray>("script");
    QTest::addColumn<qint64>("frames");
    QTest::newRow("thirty") << QByteArray("screen.waitVblankStart(30)") << qint64(30);
    QTest::newRow("default one") << QByteArray("screen.waitVblankStart()") << qint64(1);
    QTest::newRow("colon form waits one") << QByteArray("screen:waitVblankStart(30)") << qint64(1);
    QTest::newRow("zero") << QByteArray("screen.waitVblankStart(0)") << qint64(0);
    QTest::newRow("loop") << QByteArray("for i = 1, 5 do screen.waitVblankStart(2) end") << qint64(10);
}

void TestLuaPlayer::waitVblankCountsFrames() {
    QFETCH(QByteArray, script);
    QFETCH(qint64, frames);
    const LuaRun r = runLua(script);
    QCOMPARE(r.error, QString());
    QCOMPARE(r.frame, frames);
}

void TestLuaPlayer::frameLimitStopsEvenInsidePcall() {
    PlayerOptions options;
    options.maxFrames = 12;
    const LuaRun r = runLua(R"(
while true do
  pcall(function() screen.waitVblankStart() end)
  pcall(function() for i = 1, 1000 do end end)
  coroutine.resume(coroutine.create(function() screen.waitVblankStart() end))
end
)", options);
    QCOMPARE(r.status, 0);
    QCOMPARE(r.frame, qint64(12));
}

void TestLuaPlayer::scriptedButtons() {
    PlayerOptions options;
    options.waitOnError = false;
    options.buttons = ButtonScript::parse("# test\n2 cross\n5 start LEFT\n7\n");
    const LuaRun r = runLua(R"(
local function at(frame, want)
  local p = Controls.read()
  assert(p:buttons() == want, "frame " .. frame .. ": " .. p:buttons())
end
at(0, 0)
screen.waitVblankStart(2)
at(2, Controls.crossMask)
local p = Controls.read()
assert(p:cross() and not p:circle() and p:analogX() == 0)
screen.waitVblankStart(3)
at(5, Controls.startMask + Controls.leftMask)
assert(Controls.read():start() and Controls.read():left())
assert(Controls.read() ~= p and Controls.read() == Controls.read())
screen.waitVblankStart(2)
at(7, 0)
)", options);
    QCOMPARE(r.error, QString());
    QCOMPARE(r.status, 0);
}

void TestLuaPlayer::apiBehaviour_data() {
    QTest::addColumn<QByteArray>("script");
    QTest::newRow("color clamps") << QByteArray(
        "local c = Color.new(300, -4, 12.7):colors() assert(c.r == 255 and c.g == 0 and c.b == 12 and c.a == 255)");
    QTest::newRow("color equality") << QByteArray(
        "assert(Color.new(1,2,3) == Color.new(1,2,3,255) and Color.new(1,2,3) ~= Color.new(1,2,3,4))");
    QTest::newRow("color needs 3 or 4 arguments") << QByteArray("assert(not pcall(Color.new, 1, 2))");
    QTest::newRow("image sizes") << QByteArray(
        "assert(not pcall(Image.createEmpty, 0, 5)) assert(not pcall(Image.createEmpty, 513, 5))"
        " local i = Image.createEmpty(512, 3) assert(i:width() == 512 and i:height() == 3)"
        " assert(screen:width() == 480 and screen:height() == 272)");
    QTest::newRow("new images are transparent") << QByteArray(
        "assert(Image.createEmpty(2, 2):pixel(1, 1) == Color.new(0, 0, 0, 0))");
    QTest::newRow("pixel outside is an error") << QByteArray(
        "local i = Image.createEmpty(2, 2) assert(not pcall(i.pixel, i, 2, 0)) assert(not pcall(i.pixel, i, 0, -1, Color.new(1,1,1)))");
    QTest::newRow("pixel set and get") << QByteArray(
        "local i = Image.createEmpty(2, 2) i:pixel(1, 0, Color.new(4, 5, 6, 7)) assert(i:pixel(1, 0) == Color.new(4, 5, 6, 7))");
    QTest::newRow("image clear defaults to transparent") << QByteArray(
        "local i = Image.createEmpty(2, 2) i:clear(Color.new(9,9,9)) i:clear() assert(i:pixel(0, 0) == Color.new(0,0,0,0))");
    QTest::newRow("screen clear defaults to black") << QByteArray(
        "screen:clear(Color.new(9,9,9)) screen:clear() assert(screen:pixel(0, 0) == Color.new(0,0,0))");
    QTest::newRow("blit argument count") << QByteArray(
        "local i = Image.createEmpty(2, 2) assert(not pcall(screen.blit, screen, 0, 0, i, 1, 1))");
    QTest::newRow("screen as source") << QByteArray(
        "screen:clear(Color.new(7,8,9)) local i = Image.createEmpty(4, 4) i:blit(0, 0, screen) assert(i:pixel(3, 3) == Color.new(7,8,9))");
    QTest::newRow("blit onto itself") << QByteArray(
        "local i = Image.createEmpty(4, 1) i:pixel(0, 0, Color.new(1,1,1)) i:blit(1, 0, i, 0, 0, 3, 1, false)"
        " assert(i:pixel(1, 0) == Color.new(1,1,1) and i:pixel(2, 0) == Color.new(0,0,0,0))");
    QTest::newRow("alpha blit onto a transparent picture keeps the colour") << QByteArray(
        "local s, d = Image.createEmpty(1, 1), Image.createEmpty(1, 1) s:pixel(0, 0, Color.new(200, 100, 50, 128))"
        " d:blit(0, 0, s) assert(d:pixel(0, 0) == Color.new(200, 100, 50, 128))");
    QTest::newRow("drawLine") << QByteArray(
        "local i = Image.createEmpty(5, 5) i:drawLine(-2, -2, 4, 4, Color.new(1,2,3))"
        " for k = 0, 4 do assert(i:pixel(k, k) == Color.new(1,2,3)) end assert(i:pixel(1, 0) == Color.new(0,0,0,0))");
    QTest::newRow("timer stops and resets") << QByteArray(
        "local t = Timer.new(500) local v = t:stop() assert(v >= 500 and t:time() == v)"
        " assert(t:reset(20) == v and t:time() == 20) t:start() assert(t:time() >= 20)");
    QTest::newRow("pad masks") << QByteArray(
        "assert(Controls.selectMask == 1 and Controls.startMask == 8 and Controls.squareMask == 0x8000"
        " and Controls.noteMask == 0x800000 and Controls.holdMask == 0x20000)");
    QTest::newRow("lua 5.1 compatibility") << QByteArray(
        "assert(table.getn({1,2}) == 2 and math.mod(7, 3) == 1 and string.gfind and unpack)");
    QTest::newRow("md5") << QByteArray("assert(System.md5sum('abc') == '900150983cd24fb0d6963f7d28e17f72')");
    QTest::newRow("second-wave stand-ins") << QByteArray(
        "local f = Font.createMonoSpaced() f:setPixelSizes(8, 8) assert(f:getTextSize('ab').width == 16)"
        " screen:fontPrint(f, 0, 10, 'x') local v = Sound.load('a.wav'):play() v:stop() assert(not v:playing())"
        " Music.playFile('a.xm', true) assert(not Music.playing())");
    QTest::newRow("os.exit ends quietly") << QByteArray("os.exit(0) error('not reached')");
}

void TestLuaPlayer::apiBehaviour() {
    QFETCH(QByteArray, script);
    const LuaRun r = runLua(script);
    QCOMPARE(r.error, QString());
    QCOMPARE(r.status, 0);
}

void TestLuaPlayer::errorsCarryFileAndLine() {
    QTemporaryDir dir;
    writeFile(dir.filePath("jeu.lua"), "local x = 1\nlocal y = nil + x\n");
    PlayerHost host;
    PlayerOptions options;
    options.waitOnError = false;
    LuaPlayer player(host, options);
    QCOMPARE(player.run(dir.filePath("jeu.lua")), 1);
    QVERIFY2(player.errorMessage().contains(QLatin1String("jeu.lua:2:")), qPrintable(player.errorMessage()));
    // The error page is shown: "E" of "Error: " in white at (8, 8).
    const QImage shown = player.screen().visible();
    const Glyph8x8& e = glyph8x8(u'E');
    for (int row = 0; row < 8; ++row)
        for (int col = 0; col < 8; ++col)
            QCOMPARE(shown.pixel(8 + col, 8 + row), ((e[row] >> (7 - col)) & 1) ? qRgb(255, 255, 255) : qRgb(0, 0, 0));
    QCOMPARE(player.run(dir.filePath("absent.lua")), 1);
    QVERIFY(player.errorMessage().contains(QLatin1String("absent.lua")));
}

void TestLuaPlayer::currentDirectoryReturnsOldFolder() {
    QTemporaryDir dir;
    QDir(dir.path()).mkpath("Sub/Inner");
    const QString before = QDir::currentPath();
    const QByteArray root = QFile::encodeName(QDir(dir.path()).canonicalPath());
    {
        const LuaRun r = runLua("local root = '" + root + "'\n" + R"(
System.currentDirectory(root)
assert(System.currentDirectory() == root)
local old = System.currentDirectory("sub") -- letter case ignored
assert(old == root, old)
assert(System.currentDirectory() == root .. "/Sub")
assert(System.currentDirectory("nowhere") == root .. "/Sub", "a failed change is silent")
assert(System.currentDirectory() == root .. "/Sub")
local names = {}
for _, e in ipairs(System.listDirectory()) do names[#names + 1] = e.name .. (e.directory and "/" or "") end
assert(table.concat(names, " ") == "./ ../ Inner/", table.concat(names, " "))
assert(System.listDirectory("nowhere") == nil)
)");
        QCOMPARE(r.error, QString());
    }
    QCOMPARE(QDir::currentPath(), before); // the player puts the working directory back
}

void TestLuaPlayer::launcherRunsProjectIndex() {
    QTemporaryDir app;
    const QString project = app.filePath("projets/Aventure");
    writeFile(app.filePath("index.lua"), "System.currentDirectory(\"projets/Aventure\")\r\ndofile(\"index.lua\")\r\n");
    writeFile(project + "/index.lua", "dofile(\"ev.lua\")\r\nscreen:clear(Color.new(couleur, 0, 0))\r\nscreen.flip()\r\n");
    writeFile(project + "/ev.lua", "couleur = 123\r\n");
    const QString before = QDir::currentPath();
    QDir::setCurrent(app.path());
    int status = -1;
    QImage shown;
    {
        PlayerHost host;
        LuaPlayer player(host);
        status = player.run("index.lua");
        shown = player.screen().visible();
    }
    QDir::setCurrent(before);
    QCOMPARE(status, 0);
    QCOMPARE(shown.pixel(10, 10), qRgb(123, 0, 0));
}

void TestLuaPlayer::pathsIgnoreCase() {
    QTemporaryDir dir;
    QImage picture(3, 2, QImage::Format_ARGB32);
    picture.fill(qRgba(10, 20, 30, 255));
    QDir(dir.path()).mkpath("Images/Hero");
    QVERIFY(picture.save(dir.filePath("Images/Hero/Face.PNG"), "PNG"));
    QImage big(513, 4, QImage::Format_ARGB32);
    big.fill(0);
    QVERIFY(big.save(dir.filePath("big.png"), "PNG"));
    QVERIFY(picture.save(dir.filePath("Images/Tile.JPG"), "JPEG"));
    writeFile(dir.filePath("Data/Script.Lua"), "loaded = 42\n");
    writeFile(dir.filePath("Data/Notes.txt"), "bonjour\n");
    const QByteArray root = QFile::encodeName(dir.path());
    const LuaRun r = runLua("System.currentDirectory('" + root + "')\n" + R"(
local img = Image.load("images/hero/face.png")
assert(img:width() == 3 and img:pixel(2, 1) == Color.new(10, 20, 30))
assert(not pcall(Image.load, "images/hero/missing.png"))
assert(Image.load("images/tile.jpg"):height() == 2)
assert(not pcall(Image.load, "big.png"), "larger than 512")
dofile("DATA/script.lua")
assert(loaded == 42)
assert(loadfile("data/SCRIPT.LUA"))
local f = assert(io.open("data/notes.TXT"))
assert(f:read("*l") == "bonjour")
f:close()
local out = assert(io.open("DATA/nouveau.txt", "w")) -- new file in an existing folder
out:write("x")
out:close()
img:save("data/copie.png")
)");
    QCOMPARE(r.error, QString());
    QVERIFY(QFile::exists(dir.filePath("Data/nouveau.txt")));
    QVERIFY(QFile::exists(dir.filePath("Data/copie.png")));
}

QTEST_MAIN(TestLuaPlayer)
#include "tst_luaplayer.moc"
