// The bundled game's sound, title and texts, played headless by the real luaplayer with its
// mix recorded: the title tune, the knock against walls, the START menu's options, the game's
// name from infos.lua, projects made before the game had sounds.
#include "player/wavfile.h"
#include "project/apppaths.h"
#include "project/creation.h"
#include "testsupport/files.h"

#include <QImage>
#include <QPoint>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QString kData = QStringLiteral(QUENDAL_SOURCE_DIR "/data");
constexpr int kFrame = 735; // samples per vertical blank

struct Run {
    int exitCode = -1;
    QString errors;
    QImage screen;
    PcmSound sound;
    // Largest left sample from vertical blank `from` to `to`.
    int peak(int from, int to) const {
        int p = 0;
        for (qsizetype i = qsizetype(from) * kFrame; i < qsizetype(to) * kFrame && 2 * i < qsizetype(sound.samples.size()); ++i)
            p = std::max(p, std::abs(int(sound.samples[size_t(2 * i)])));
        return p;
    }
};

Run play(const QString& dir, int frames, const QByteArray& buttons, const QString& script = "index.lua") {
    putFile(dir + "/buttons.txt", buttons);
    QProcess process;
    process.setWorkingDirectory(dir);
    process.start(QUENDAL_APP_BUILD_DIR "/luaplayer",
                  {"--headless", "--frames", QString::number(frames), "--buttons", "buttons.txt",
                   "--screenshot", "screen.png", "--audio-out", "son.wav", script});
    Run run;
    if (!process.waitForFinished(60000))
        process.kill();
    run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.errors = QString::fromLocal8Bit(process.readAllStandardError());
    run.screen = QImage(dir + "/screen.png").convertToFormat(QImage::Format_RGB32);
    try {
        run.sound = decodeWav(bytesOf(dir + "/son.wav"));
    } catch (const std::exception&) {
    }
    return run;
}

// A new project "Jeu" whose map 01 has the hero at (3, 2) and a wall at (5, 2).
struct Game {
    QTemporaryDir dir;
    bool valid = copyTree(kData, dir.path() + "/data") && createProject(AppPaths::inPlace(dir.path()), "Jeu", "Testeur") && writeMap();
    QString project(const QString& rel = QString()) const { return dir.path() + "/projets/Jeu" + rel; }
    bool write(const QString& rel, const QByteArray& bytes) const { return putFile(project("/" + rel), bytes); }
    Run play(int frames, const QByteArray& buttons) const { return ::play(project(), frames, buttons); }

    bool writeMap() const {
        QByteArray map = "0302\r\n", walls;
        for (int r = 1; r <= 8; ++r) {
            map += QByteArray(17, '0') + "\r\n";
            walls += (r == 2 ? QByteArray("00001000000000000") : QByteArray(17, '0')) + "\r\n";
        }
        return write("map01.map", map) && write("map01.ev", walls);
    }
};

// Title menu "Nouvelle partie": cross down on frame 5, up on frame 7.
const QByteArray kNewGame = "0\n5 cross\n7\n";

// The glyph pixels of an 8x8 text at (x, y) have the colour; the player draws the reference.
bool textShownAt(const QImage& screen, int x, int y, const QByteArray& text, QRgb colour) {
    QTemporaryDir scratch;
    putFile(scratch.filePath("draw.lua"), "screen:print(" + QByteArray::number(x) + ", " + QByteArray::number(y) + ", '" +
                                              text + "', Color.new(255, 255, 255))\nscreen.flip()\n");
    const QImage reference = play(scratch.path(), 1, QByteArray(), "draw.lua").screen;
    int glyphPixels = 0;
    for (int py = 0; py < reference.height(); ++py)
        for (int px = 0; px < reference.width(); ++px)
            if (reference.pixel(px, py) == qRgb(255, 255, 255)) {
                ++glyphPixels;
                if (screen.pixel(px, py) != (colour | 0xFF000000u))
                    return false;
            }
    return glyphPixels > 0;
}

} // namespace

class TestEngineSound : public QObject {
    Q_OBJECT
private slots:
    void newProjectsGetTheSounds() {
        Game game;
        QVERIFY(game.valid);
        QCOMPARE(bytesOf(game.project("/sons/titre.mod")), bytesOf(kData + "/sons/titre.mod"));
        QCOMPARE(bytesOf(game.project("/sons/mur.wav")), bytesOf(kData + "/sons/mur.wav"));
    }

    // The tune plays from the first frame of the title screen and stops with the menu; right
    // held against the wall from frame 20 to 40 knocks once, again when pressed anew at 50.
    void titleTuneAndWallKnock() {
        Game game;
        QVERIFY(game.valid);
        const Run run = game.play(80, kNewGame + "20 right\n40\n50 right\n60\n");
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.sound.samples.size(), size_t(80 * kFrame * 2));
        QVERIFY(run.peak(0, 5) > 1000);
        QCOMPARE(run.peak(8, 20), 0);
        // The hero walks a cell (8 frames) and then pushes against the wall at frame 28.
        QCOMPARE(run.peak(20, 28), 0);
        QVERIFY(run.peak(28, 31) > 4000);
        QCOMPARE(run.peak(35, 50), 0);
        QVERIFY(run.peak(50, 53) > 4000);
        QCOMPARE(run.peak(56, 80), 0);
    }

    // In the START menu, cross on "Musique" and "Sons" turns them off: no knock, and no tune
    // back on the title screen. Left on, both are heard.
    void startMenuTurnsSoundsOff_data() {
        QTest::addColumn<bool>("turnOff");
        QTest::newRow("left on") << false;
        QTest::newRow("turned off") << true;
    }
    void startMenuTurnsSoundsOff() {
        QFETCH(bool, turnOff);
        Game game;
        QVERIFY(game.valid);
        // START at 10; down twice to "Musique" (cross), down to "Sons" (cross), START closes;
        // right against the wall from 40; START, down to "Menu principal", cross at 80.
        const QByteArray toggle = turnOff ? "22 cross\n24\n30 cross\n32\n" : "";
        const QByteArray buttons = kNewGame + "10 start\n12\n14 down\n16\n18 down\n20\n" + toggle +
                                   "26 down\n28\n34 start\n36\n40 right\n50\n60 start\n62\n66 down\n68\n80 cross\n82\n";
        const Run menu = game.play(33, buttons);
        QVERIFY(textShownAt(menu.screen, 174, 164, turnOff ? "Musique : non" : "Musique : oui", qRgb(250, 236, 200)));
        QVERIFY(textShownAt(menu.screen, 174, 178, turnOff ? "Sons : non" : "Sons : oui", qRgb(250, 236, 200)));
        const Run run = game.play(120, buttons);
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.peak(40, 50) > 4000, !turnOff);  // the knock
        QCOMPARE(run.peak(85, 120) > 1000, !turnOff); // the tune, back on the title screen
    }

    // A project made before sounds existed plays silently, without an error.
    void projectWithoutSoundsIsSilent() {
        Game game;
        QVERIFY(game.valid);
        QVERIFY(QDir(game.project("/sons")).removeRecursively());
        const Run run = game.play(60, kNewGame + "20 right\n40\n");
        QCOMPARE(run.exitCode, 0);
        QVERIFY2(!run.errors.contains("Error"), qPrintable(run.errors));
        QCOMPARE(run.peak(0, 60), 0);
    }

    // The name and author come from infos.lua when it can be read; "Quendal" otherwise.
    void titleShowsTheGamesName_data() {
        QTest::addColumn<QByteArray>("infos"); // empty: no file
        QTest::addColumn<bool>("asQuendal");
        QTest::newRow("no infos.lua") << QByteArray() << true;
        QTest::newRow("named Quendal, no author") << QByteArray("jeu = { nom = \"Quendal\" }") << true;
        QTest::newRow("broken file") << QByteArray("jeu = { nom = ") << true;
        QTest::newRow("empty name") << QByteArray("jeu = { nom = \"\" }") << true;
        QTest::newRow("a name") << QByteArray("jeu = { nom = \"L'\\233p\\233e \\\"d'or\\\"\", auteur = \"Zo\\235\" }") << false;
    }
    void titleShowsTheGamesName() {
        QFETCH(QByteArray, infos);
        QFETCH(bool, asQuendal);
        Game game;
        QVERIFY(game.valid);
        const QImage fallback = game.play(3, QByteArray()).screen;
        if (!infos.isEmpty())
            QVERIFY(game.write("infos.lua", infos));
        const Run run = game.play(3, QByteArray());
        QCOMPARE(run.exitCode, 0);
        QVERIFY2(!run.errors.contains("Error"), qPrintable(run.errors));
        QCOMPARE(run.screen == fallback, asQuendal);
        // Whatever the name, it is written over the title picture's band below the logo, and
        // nowhere else.
        const QImage title = QImage(kData + "/images/system/theme01/imgprinc.png").convertToFormat(QImage::Format_RGB32);
        int changed = 0;
        for (int y = 0; y < 272; ++y)
            for (int x = 0; x < 480; ++x)
                if (run.screen.pixel(x, y) != title.pixel(x, y) && !QRect(140, 180, 200, 80).contains(x, y)) {
                    QVERIFY2(y >= 88 && y < 135, qPrintable(QString("(%1, %2)").arg(x).arg(y)));
                    ++changed;
                }
        QVERIFY(changed > 200);
    }

    // Life shows 0, not less; the game-over screen speaks French only; the text box blinks a
    // marker at its bottom right while it waits for cross.
    void textsLifeAndMarker() {
        Game game;
        QVERIFY(game.valid);
        QVERIFY(game.write("ev.lua", "function runev(colonne,ligne,map)\n"
                                     "  if colonne == 4 then affichertexte(\"Aïe !\") hero.vie = hero.vie - 15 end\n"
                                     "end\n"));
        const QByteArray buttons = kNewGame + "10 right\n12\n60 cross\n62\n";
        const QImage on = game.play(30, buttons).screen, off = game.play(30 + 15, buttons).screen;
        const QPoint marker(466, 260);
        QCOMPARE(on.pixel(marker) == qRgb(110, 70, 20), !(off.pixel(marker) == qRgb(110, 70, 20)));
        const Run dead = game.play(80, buttons);
        QVERIFY(textShownAt(dead.screen, 4, 263, "Vie : 0", qRgb(255, 255, 255)));
        const Run over = game.play(150, buttons);
        QVERIFY(textShownAt(over.screen, 180, 130, "Partie terminée", qRgb(255, 255, 255)));
        for (int x = 0; x < 480; ++x)
            for (int y = 100; y < 120; ++y)
                QCOMPARE(over.screen.pixel(x, y), qRgb(0, 0, 0)); // no "Game over" above it
    }
};

QTEST_GUILESS_MAIN(TestEngineSound)
#include "tst_enginesound.moc"
