// The real luaplayer program: command line, scripted buttons, screenshot and exit status.
#include "player/font8x8.h"

#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

class TestPlayerProcess : public QObject {
    Q_OBJECT
private slots:
    void errorScreenAndStatus();
    void scriptedRunAndScreenshot();
    void badCommandLine_data();
    void badCommandLine();

private:
    int run(const QStringList& args, const QString& dir, QByteArray* err = nullptr);
};

int TestPlayerProcess::run(const QStringList& args, const QString& dir, QByteArray* err) {
    QProcess p;
    p.setWorkingDirectory(dir);
    p.start(QStringLiteral(QUENDAL_APP_BUILD_DIR "/luaplayer"), QStringList{"--headless"} + args);
    if (!p.waitForFinished(30000)) {
        p.kill();
        return -1;
    }
    if (err)
        *err = p.readAllStandardError();
    return p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -2;
}

static void write(const QString& path, const QByteArray& text) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(text);
}

void TestPlayerProcess::errorScreenAndStatus() {
    QTemporaryDir dir;
    write(dir.filePath("jeu.lua"), "screen.waitVblankStart(3)\nerror('boum')\n");
    write(dir.filePath("boutons.txt"), "10 start\n");
    QByteArray err;
    // Waits on the error page until START goes down at frame 10, well before the frame limit.
    const int status = run({"--frames", "100000", "--buttons", "boutons.txt", "--screenshot", "ecran.png", "jeu.lua"},
                           dir.path(), &err);
    QVERIFY(status != 0 && status != -1);
    QVERIFY2(err.contains("Error: jeu.lua:2: boum"), err.constData());
    const QImage shot(dir.filePath("ecran.png"));
    QCOMPARE(shot.size(), QSize(480, 272));
    const QString expected = QStringLiteral("Error: jeu.lua:2: boum");
    for (int i = 0; i < expected.size(); ++i) {
        const Glyph8x8& g = glyph8x8(expected[i].unicode());
        for (int row = 0; row < 8; ++row)
            for (int col = 0; col < 8; ++col)
                QCOMPARE(shot.pixel(8 + 8 * i + col, 8 + row) & 0xFFFFFFu,
                         ((g[row] >> (7 - col)) & 1) ? 0xFFFFFFu : 0u);
    }
}

void TestPlayerProcess::scriptedRunAndScreenshot() {
    QTemporaryDir dir;
    write(dir.filePath("jeu.lua"), R"(
local x = 0
while true do
  if Controls.read():right() then x = x + 1 end
  screen:clear()
  screen:fillRect(x, 0, 1, 1, Color.new(255, 255, 255))
  screen.flip()
  screen.waitVblankStart()
end
)");
    write(dir.filePath("b.txt"), "5 right\n8\n");
    QCOMPARE(run({"--frames", "20", "--buttons", "b.txt", "--screenshot", "s.png", "jeu.lua"}, dir.path()), 0);
    const QImage shot(dir.filePath("s.png"));
    QCOMPARE(shot.pixel(3, 0), qRgb(255, 255, 255)); // right held during frames 5, 6 and 7
    QCOMPARE(shot.pixel(2, 0), qRgb(0, 0, 0));
}

void TestPlayerProcess::badCommandLine_data() {
    QTest::addColumn<QStringList>("args");
    QTest::newRow("no script") << QStringList{};
    QTest::newRow("bad frame count") << QStringList{"--frames", "abc", "x.lua"};
    QTest::newRow("missing buttons file") << QStringList{"--buttons", "absent.txt", "x.lua"};
}

void TestPlayerProcess::badCommandLine() {
    QFETCH(QStringList, args);
    QTemporaryDir dir;
    QByteArray err;
    QCOMPARE(run(args, dir.path(), &err), 2);
    QVERIFY2(err.contains("luaplayer: "), err.constData());
}

QTEST_MAIN(TestPlayerProcess)
#include "tst_playerprocess.moc"
