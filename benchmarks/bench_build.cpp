// Game script generation on a project of 100 maps whose 15,300 cells all hold a one-line
// event script, beside a plain read of the same files (the floor it is measured against);
// and the rebuild that follows a save while a test run is live, on that project and on one of
// 100 maps holding 10 events each.
#include "build/compiler.h"
#include "build/liverebuild.h"
#include "build/syntaxcheck.h"
#include "project/mapgrid.h"
#include "project/module1.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

constexpr int kMaps = 100;

struct BenchProject {
    QTemporaryDir dir;
    QString app;
    QStringList cellFiles;

    // Every cell of every map holds a script, or only the first `eventsPerMap` cells.
    explicit BenchProject(int eventsPerMap = mapgrid::kEventRows * mapgrid::kColumns) {
        app = dir.path();
        const QString project = app + "/projets/Bench";
        QDir().mkpath(project);
        writefile("[Jeu]\r\nnom=Bench\r\nauteur=Anonyme\r\ncartes=100\r\ncombats=0\r\n"
                  "[Variables]\r\nnombre=20\r\n",
                  project + "/projet.ini");
        for (int m = 1; m <= kMaps; ++m) {
            const QString folder = project + "/ev/map" + mapNumberText(m);
            QDir().mkpath(folder);
            for (int r = 1; r <= mapgrid::kEventRows; ++r)
                for (int c = 1; c <= mapgrid::kColumns; ++c) {
                    if ((r - 1) * mapgrid::kColumns + c > eventsPerMap)
                        continue;
                    const QString path = folder + "/ev" + QString::number(r) + QString::number(c);
                    QFile f(path);
                    f.open(QIODevice::WriteOnly);
                    f.write("\r\nscreen.waitVblankStart(30)\r\n");
                    cellFiles.append(path);
                }
        }
    }
};

BenchProject& project() {
    static BenchProject p;
    return p;
}

// 100 maps of 10 events each, nearer to what games hold.
BenchProject& typicalProject() {
    static BenchProject p(10);
    return p;
}

void BM_PlainRead(benchmark::State& state) {
    const QStringList& files = project().cellFiles;
    for (auto _ : state) {
        qsizetype total = 0;
        for (const QString& path : files) {
            QFile f(path);
            if (f.open(QIODevice::ReadOnly))
                total += f.readAll().size();
        }
        benchmark::DoNotOptimize(total);
    }
    state.SetItemsProcessed(state.iterations() * files.size());
}

void BM_Compiler(benchmark::State& state) {
    const QString app = project().app;
    for (auto _ : state) {
        const CompileResult r = compiler(app + "/projets/Bench");
        if (!r.eventsWritten || r.scripts.cells.size() != kMaps * mapgrid::kEventRows * mapgrid::kColumns)
            state.SkipWithError("build failed");
        benchmark::DoNotOptimize(r.scripts.events.size());
    }
    state.SetItemsProcessed(state.iterations() * kMaps * mapgrid::kEventRows * mapgrid::kColumns);
}

// The check a test run adds after the build: every cell and both files compiled by Lua.
void BM_SyntaxCheck(benchmark::State& state) {
    const GameScripts scripts = buildGameScripts(project().app + "/projets/Bench");
    for (auto _ : state) {
        if (checkGameScripts(scripts))
            state.SkipWithError("unexpected syntax error");
    }
}

// A save while the game runs: one cell's script changed, the game's scripts built and
// checked, ev.lua written (variables.lua and infos.lua, unchanged, are left alone).
void liveRebuildAfterOneSave(benchmark::State& state, const QString& folder) {
    const QString cell = folder + "/ev/map50/ev11";
    rebuildChangedScripts(folder); // the game as a test run left it
    static int n = 0; // every save a new text, also across the runs of this benchmark
    for (auto _ : state) {
        state.PauseTiming();
        writefile("\r\nscreen.waitVblankStart(" + QString::number(++n) + ")", cell);
        state.ResumeTiming();
        const LiveRebuildResult r = rebuildChangedScripts(folder);
        if (!r.error.isEmpty() || r.written != QStringList{"ev.lua"}) {
            state.SkipWithError("rebuild failed or wrote other files");
            break;
        }
    }
}

void BM_LiveRebuildAfterOneSave(benchmark::State& state) {
    liveRebuildAfterOneSave(state, project().app + "/projets/Bench");
}

void BM_LiveRebuildAfterOneSaveTypical(benchmark::State& state) {
    liveRebuildAfterOneSave(state, typicalProject().app + "/projets/Bench");
}

} // namespace

BENCHMARK(BM_PlainRead)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Compiler)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SyntaxCheck)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LiveRebuildAfterOneSave)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LiveRebuildAfterOneSaveTypical)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
