// Live changes and recorded plays, on the bundled game:
// - save-to-screen: a tile painted in a map's document and saved, until the running game
//   shows it; the game runs at 60 frames a second, live, as in a test run (goal: 0.5 s);
// - a recorded minute of play replayed headless by the real luaplayer, as "Vérifier le jeu"
//   does (goal: at least 20 times real time).
#include "build/compiler.h"
#include "build/liverebuild.h"
#include "maps/mapdocument.h"
#include "player/luaplayer.h"
#include "player/playerhost.h"
#include "player/screen.h"
#include "player/vblankclock.h"
#include "project/apppaths.h"
#include "project/creation.h"
#include "project/projectsession.h"

#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>

namespace {

const QString kData = QStringLiteral(QUENDAL_SOURCE_DIR "/data");

bool copyData(const QString& to) {
    QDirIterator it(kData, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString file = it.next();
        const QString target = to + file.mid(kData.size());
        QDir().mkpath(QFileInfo(target).path());
        if (!QFile::copy(file, target))
            return false;
    }
    return true;
}

// A project of the bundled game in a throwaway application folder.
struct BenchGame {
    QTemporaryDir dir;
    bool valid = copyData(dir.path() + "/data") &&
                 createProject(AppPaths::inPlace(dir.path()), "Jeu", "Banc");
    QString folder() const { return dir.path() + "/projets/Jeu"; }
};

// Paints cell (1, 1) of map 01 with one of two tiles in turn, each time one frame of the game
// is idle, and times each save until a flip shows the new tile there.
class SaveToScreenHost : public PlayerHost {
public:
    SaveToScreenHost(benchmark::State& state, ProjectSession& session)
        : mState(state), mSession(session) {
        const QImage sheet = QImage(kData + "/images/terrains/terrain01/terrain01.png")
                                 .convertToFormat(QImage::Format_RGB32);
        // Codes whose tiles differ at the probed pixel.
        for (int code = 0; code < 10; ++code)
            mProbe[code] = sheet.pixel(code * 28 + kProbeX, kProbeY) & 0xFFFFFF;
        mCodes = {0, 1};
        for (int code = 1; code < 10 && mProbe[mCodes[0]] == mProbe[mCodes[1]]; ++code)
            mCodes[1] = code;
    }

    bool closeRequested() const override { return mDone; }
    double worstSeconds() const { return mWorst; }

    void present(const Screen& screen) override {
        if (!mWaiting)
            return;
        const QRgb shown = screen.front().pixels().pixel(2 + kProbeX, kProbeY) & 0xFFFFFF;
        if (shown != mProbe[mCodes[mNext]])
            return;
        const double seconds = std::chrono::duration<double>(Clock::now() - mSaved).count();
        mState.SetIterationTime(seconds);
        mWorst = std::max(mWorst, seconds);
        mWaiting = false;
        mIdleFrames = 0;
    }

protected:
    void waitForVblank() override {
        mClock.wait();
        ++mFrames;
        if (mFrames < kGameStarted || mDone)
            return;
        if (mWaiting) {
            if (++mWaitedFrames > kGiveUpFrames) {
                mState.SkipWithError("the change never showed");
                mDone = true;
            }
            return;
        }
        if (++mIdleFrames < kIdleFrames)
            return;
        if (!mState.KeepRunning()) {
            mDone = true;
            return;
        }
        mNext = 1 - mNext;
        mSaved = Clock::now();
        const auto map = MapDocument::open(mSession, "01");
        map->changeCells({{0, CellChange::Tile, QString(), QString::number(mCodes[mNext])}}, "Peindre");
        if (!map->save().isEmpty()) {
            mState.SkipWithError("the map could not be saved");
            mDone = true;
        }
        mWaiting = true;
        mWaitedFrames = 0;
    }

private:
    using Clock = std::chrono::steady_clock;
    static constexpr int kProbeX = 14;
    static constexpr int kProbeY = 14;
    static constexpr int kGameStarted = 30; // the title passed, the map on screen
    static constexpr int kIdleFrames = 6;
    static constexpr int kGiveUpFrames = 120;

    benchmark::State& mState;
    ProjectSession& mSession;
    VblankClock mClock;
    QRgb mProbe[10] = {};
    std::array<int, 2> mCodes{};
    int mNext = 0;
    int mFrames = 0;
    int mIdleFrames = 0;
    int mWaitedFrames = 0;
    bool mWaiting = false;
    bool mDone = false;
    double mWorst = 0;
    Clock::time_point mSaved;
};

void BM_SaveToScreen(benchmark::State& state) {
    BenchGame game;
    if (!game.valid || !compiler(game.folder()).eventsWritten) {
        state.SkipWithError("no game");
        return;
    }
    ProjectSession session(AppPaths::inPlace(game.dir.path()));
    session.open("Jeu");
    LiveRebuild rebuild(session);
    rebuild.setActive(true);
    SaveToScreenHost host(state, session);
    PlayerOptions options;
    options.live = true;
    options.buttons = ButtonScript::parse("0\n5 cross\n7\n");
    LuaPlayer player(host, options);
    player.runString("System.currentDirectory('" + game.folder().toUtf8() + "') dofile('index.lua')", "=launcher");
    if (!player.errorMessage().isEmpty())
        state.SkipWithError(qPrintable(player.errorMessage()));
    state.counters["worst_ms"] = host.worstSeconds() * 1000;
}
BENCHMARK(BM_SaveToScreen)->UseManualTime()->Iterations(40)->Unit(benchmark::kMillisecond);

// A minute of play: a new game, then the hero walks around the map, opening and closing the
// START menu now and then.
QByteArray minuteOfPlay() {
    QByteArray pad = "0\n5 cross\n7\n";
    int frame = 20;
    const char* moves[] = {"right", "down", "left", "up"};
    for (int lap = 0; frame < 3500; ++lap) {
        for (const char* move : moves) {
            pad += QByteArray::number(frame) + ' ' + move + '\n';
            frame += 32;
            pad += QByteArray::number(frame) + '\n';
            frame += 4;
        }
        if (lap % 3 == 2) {
            pad += QByteArray::number(frame) + " start\n" + QByteArray::number(frame + 2) + '\n';
            pad += QByteArray::number(frame + 40) + " start\n" + QByteArray::number(frame + 42) + '\n';
            frame += 50;
        }
    }
    return pad;
}

void BM_ReplayHeadless(benchmark::State& state) {
    BenchGame game;
    if (!game.valid || !compiler(game.folder()).eventsWritten) {
        state.SkipWithError("no game");
        return;
    }
    constexpr int kFrames = 3600;
    QFile input(game.folder() + "/jeu.txt");
    input.open(QIODevice::WriteOnly);
    input.write(minuteOfPlay());
    input.close();
    const QString player = QStringLiteral(QUENDAL_APP_BUILD_DIR "/luaplayer");
    const auto run = [&](const QStringList& arguments) {
        QProcess process;
        process.setWorkingDirectory(game.folder());
        process.start(player, arguments);
        return process.waitForFinished(120000) && process.exitCode() == 0;
    };
    // The play, recorded as a test run records it (headless here, to be quick).
    if (!run({"--headless", "--frames", QString::number(kFrames), "--buttons", "jeu.txt", "--record", "partie.txt",
              "index.lua"})) {
        state.SkipWithError("the play could not be recorded");
        return;
    }
    double slowest = 0;
    for (auto _ : state) {
        QElapsedTimer timer;
        timer.start();
        if (!run({"--headless", "--frames", QString::number(kFrames), "--buttons", "partie.txt", "--screenshot",
                  "fin.png", "--state", "fin.etat", "index.lua"}))
            state.SkipWithError("the replay failed");
        const double seconds = timer.nsecsElapsed() / 1e9;
        slowest = std::max(slowest, seconds);
        state.SetIterationTime(seconds);
    }
    // The play lasts a minute: how many times faster than that the slowest replay went.
    state.counters["times_real_time"] = kFrames / 60.0 / slowest;
}
BENCHMARK(BM_ReplayHeadless)->UseManualTime()->Iterations(5)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv); // the game's fonts and images want one
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
