// TrueType text with DejaVu Sans (fonts-dejavu-core): getTextSize and what fontPrint draws.
#include "luarun.h"

#include <QTest>

namespace {

const QByteArray kDejaVu = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";

LuaRun draw(const QByteArray& source) {
    return runLua("font = Font.load('" + kDejaVu + "')\n" + source);
}

// The box of the pixels that differ from the background.
QRect inked(const QImage& page, QRgb background) {
    QRect box;
    for (int y = 0; y < page.height(); ++y)
        for (int x = 0; x < page.width(); ++x)
            if (page.pixel(x, y) != background)
                box |= QRect(x, y, 1, 1);
    return box;
}

} // namespace

class TestPlayerFont : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QVERIFY2(QFile::exists(kDejaVu), "fonts-dejavu-core is needed"); }

    void fontCalls_data() {
        QTest::addColumn<QByteArray>("script");
        QTest::newRow("monospaced advances") << QByteArray(
            "local f = Font.createMonoSpaced() local m = f:getTextSize('M').width"
            " assert(m > 5 and f:getTextSize('MMMM').width == 4 * m and f:getTextSize('iiii').width == 4 * m)");
        QTest::newRow("proportional advances") << QByteArray(
            "local f = Font.createProportional()"
            " assert(f:getTextSize('iiii').width < f:getTextSize('MMMM').width)");
        QTest::newRow("empty text") << QByteArray(
            "local s = font:getTextSize('') assert(s.width == 0 and s.height > 0)");
        QTest::newRow("height doubles the size") << QByteArray(
            "local a = font:getTextSize('Quendal') font:setPixelSizes(0, 32) local b = font:getTextSize('Quendal')"
            " assert(math.abs(b.width - 2 * a.width) <= 3 and math.abs(b.height - 2 * a.height) <= 2)");
        QTest::newRow("width stretches alone") << QByteArray(
            "font:setPixelSizes(16, 16) local a = font:getTextSize('Quendal') font:setPixelSizes(32, 16)"
            " local b = font:getTextSize('Quendal') assert(math.abs(b.width - 2 * a.width) <= 1 and b.height == a.height)");
        QTest::newRow("windows-1252 text") << QByteArray(
            "assert(font:getTextSize('\\233t\\233').width == font:getTextSize('\\195\\169t\\195\\169').width)");
        QTest::newRow("sizes are capped at 512") << QByteArray(
            "font:setPixelSizes(1e9, 1e9) local s = font:getTextSize('W') assert(s.height >= 512 and s.height < 700)"
            " local sheet = Image.createEmpty(64, 64) sheet:fontPrint(font, -100000, 2147483647, string.rep('W', 5000))"
            " sheet:fontPrint(font, 0, 400, string.rep('W', 5000)) assert(sheet:pixel(5, 5) == Color.new(0, 0, 0, 0))");
        QTest::newRow("clipped to the image") << QByteArray(
            "screen:clear() screen:fontPrint(font, 470, 10, 'WWW', Color.new(0, 0, 255))"
            " screen:fontPrint(font, -20, 300, 'WWW', Color.new(0, 0, 255)) for y = 0, 271 do for x = 0, 479 do"
            " assert(screen:pixel(x, y) == Color.new(0, 0, 0) or (x >= 470 and y < 10), x .. ', ' .. y) end end");
        // On a transparent image antialiased edges keep the colour, the coverage as alpha.
        QTest::newRow("default colour, transparent images") << QByteArray(R"(
screen:clear(Color.new(255, 255, 255)) screen:fontPrint(font, 10, 30, "Ab")
local black = false
for y = 10, 29 do for x = 10, 39 do black = black or screen:pixel(x, y) == Color.new(0, 0, 0) end end
local sheet, partial, solid = Image.createEmpty(60, 40), 0, 0
sheet:fontPrint(font, 2, 30, "Ab", Color.new(0, 200, 0))
for y = 0, 39 do for x = 0, 59 do
  local c = sheet:pixel(x, y):colors()
  assert(c.a == 0 or (c.r == 0 and c.g == 200 and c.b == 0), "colour under coverage")
  if c.a == 255 then solid = solid + 1 elseif c.a > 0 then partial = partial + 1 end
end end
assert(black and solid > 10 and partial > 10, "black by default, antialiased edges")
)");
        QTest::newRow("missing file, not a font")
            << QByteArray("assert(not pcall(Font.load, 'absent.ttf') and not pcall(Font.load, '/etc/hostname'))");
    }
    void fontCalls() {
        QFETCH(QByteArray, script);
        QCOMPARE(draw(script).error, QString());
    }

    // "H" ends just above y, inside the reported width; "g" goes below. Full coverage: the colour.
    void printSitsOnTheBaseline_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<bool>("descends");
        QTest::newRow("H") << QByteArray("H") << false;
        QTest::newRow("Hg") << QByteArray("Hg") << true;
        QTest::newRow("accents") << QByteArray("\\201t\\233") << false; // Été in Windows-1252
    }
    void printSitsOnTheBaseline() {
        QFETCH(QByteArray, text);
        QFETCH(bool, descends);
        const LuaRun d = draw("font:setPixelSizes(24, 24)\nscreen:clear()\nscreen:fontPrint(font, 100, 120, '" + text
                             + "', Color.new(255, 0, 0))\nlocal s = font:getTextSize('" + text
                             + "')\nscreen:fillRect(0, 0, s.width, 1, Color.new(0, 0, 255))\n");
        QCOMPARE(d.error, QString());
        const int width = inked(d.back.copy(0, 0, 480, 1), qRgb(0, 0, 0)).width();
        const QRect box = inked(d.back.copy(0, 1, 480, 271), qRgb(0, 0, 0)).translated(0, 1);
        QVERIFY2(box.left() >= 100 && box.right() < 100 + width + 1, qPrintable(QString("%1 wide at %2").arg(box.width()).arg(box.left())));
        QVERIFY(box.top() >= 120 - 24);
        QCOMPARE(box.bottom() >= 120, descends);
        if (!descends)
            QCOMPARE(box.bottom(), 119);
        int full = 0;
        for (int y = box.top(); y <= box.bottom(); ++y)
            for (int x = box.left(); x <= box.right(); ++x) {
                const QRgb p = d.back.pixel(x, y);
                QVERIFY(qGreen(p) == 0 && qBlue(p) == 0 && qAlpha(p) == 255);
                full += p == qRgb(255, 0, 0);
            }
        QVERIFY(full >= 20); // the stems of the H at least
    }
};

QTEST_MAIN(TestPlayerFont)
#include "tst_playerfont.moc"
