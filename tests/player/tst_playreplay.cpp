// A play recorded in a window at 60 frames a second replays headless, as fast as it goes, to
// the same last screen byte for byte, timers, dates and random numbers included.
#include "playerprogram.h"
#include "project/apppaths.h"
#include "project/creation.h"

#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

namespace {

// Its picture depends on the pad, a timer, the date and random numbers seeded from the date.
const QByteArray kGame = R"(
math.randomseed(os.time())
local timer, x, y = Timer.new(), 240, 136
screen:clear(Color.new(0, 0, 0))
while true do
  local pad = Controls.read()
  x = x + (pad:right() and 2 or 0) - (pad:left() and 2 or 0)
  y = y + (pad:down() and 2 or 0) - (pad:cross() and 2 or 0)
  screen:fillRect(x, y, 3, 3, Color.new(math.random(255), math.random(255), timer:time() % 256))
  screen:fillRect(0, 0, 480, 10, Color.new(0, 0, 0))
  screen:print(2, 1, timer:time() .. ' ' .. os.date('%H:%M:%S') .. ' ' .. math.random(1000), Color.new(255, 255, 255))
  screen.waitVblankStart()
  screen.flip()
end
)";

const QByteArray kMoves = "0\n10 right\n30 right down\n45 cross\n60 left\n80\n";

// Runs the player in dir; `stopAfterMs` sends it SIGTERM then, as Quendal's restart does.
ProgramRun play(const QString& dir, const QStringList& arguments, int stopAfterMs = -1) {
    QProcess process;
    process.setWorkingDirectory(dir);
    process.start(QStringLiteral(QUENDAL_APP_BUILD_DIR "/luaplayer"), arguments);
    if (stopAfterMs >= 0) {
        QTest::qWait(stopAfterMs);
        process.terminate();
    }
    return finishProgram(process);
}

// The --frames a recording names in its header.
QString framesOf(const QByteArray& recording) {
    return QRegularExpression("# images (\\d+)\n").match(QString::fromLatin1(recording)).captured(1);
}

} // namespace

class TestPlayReplay : public QObject {
    Q_OBJECT
    QTemporaryDir mDir;

    // Played in a window (offscreen keeps real time), replayed headless: same screens and states.
    void recordThenReplay(const QString& folder, const QString& script, const QStringList& recordOptions,
                          int stopAfterMs) {
        const ProgramRun recorded = play(folder, recordOptions + QStringList{"--record", "partie.txt", "--screenshot",
                                                          "joue.png", "--state", "joue.etat", script},
                                     stopAfterMs);
        QVERIFY2(recorded.exitCode == 0, recorded.errors.constData());
        const QByteArray recording = bytesOf(folder + "/partie.txt");
        const QString frames = framesOf(recording);
        QVERIFY2(frames.toInt() > 20, recording.constData());
        const ProgramRun replayed = play(folder, {"--headless", "--frames", frames, "--buttons", "partie.txt",
                                              "--screenshot", "rejoue.png", "--state", "rejoue.etat", script});
        QVERIFY2(replayed.exitCode == 0, replayed.errors.constData());
        QVERIFY(!bytesOf(folder + "/joue.png").isEmpty());
        QVERIFY(bytesOf(folder + "/joue.png") == bytesOf(folder + "/rejoue.png"));
        QCOMPARE(bytesOf(folder + "/rejoue.etat"), bytesOf(folder + "/joue.etat"));
    }

private slots:
    void initTestCase() {
        QVERIFY(putFile(mDir.filePath("jeu.lua"), kGame));
        QVERIFY(putFile(mDir.filePath("boutons.txt"), kMoves));
    }

    // Ended by the frame limit, or stopped from outside (at the next frame, where the replay ends).
    void gameReplaysToTheSameScreen_data() {
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<int>("stopAfterMs");
        QTest::newRow("frame limit") << QStringList{"--frames", "100", "--buttons", "boutons.txt"} << -1;
        QTest::newRow("stopped") << QStringList{"--buttons", "boutons.txt"} << 1500;
    }
    void gameReplaysToTheSameScreen() {
        QFETCH(QStringList, options);
        QFETCH(int, stopAfterMs);
        recordThenReplay(mDir.path(), "jeu.lua", options, stopAfterMs);
        // With another clock the screen differs: the comparison can fail.
        QByteArray recording = bytesOf(mDir.filePath("partie.txt"));
        recording.replace("# horloge ", "# horloge 1");
        QVERIFY(putFile(mDir.filePath("autre.txt"), recording));
        play(mDir.path(), {"--headless", "--frames", framesOf(recording), "--buttons", "autre.txt", "--screenshot",
                           "autre.png", "jeu.lua"});
        QVERIFY(bytesOf(mDir.filePath("autre.png")) != bytesOf(mDir.filePath("joue.png")));
    }

    // The bundled game: the title menu, a new game and a walk on map 01.
    void bundledGameReplaysToTheSameScreen() {
        QTemporaryDir app;
        QVERIFY(copyTree(QStringLiteral(QUENDAL_SOURCE_DIR "/data"), app.filePath("data")));
        QVERIFY(createProject(AppPaths::inPlace(app.path()), "Jeu", "Testeur"));
        const QString project = app.filePath("projets/Jeu");
        QVERIFY(putFile(project + "/boutons.txt", "0\n5 cross\n7\n20 right\n40 down\n52 left\n60\n"));
        recordThenReplay(project, "index.lua", {"--frames", "90", "--buttons", "boutons.txt"}, -1);
        QVERIFY(bytesOf(project + "/joue.etat").startsWith("image=90\ncarte=01\n"));
    }
};

QTEST_GUILESS_MAIN(TestPlayReplay)
#include "tst_playreplay.moc"
