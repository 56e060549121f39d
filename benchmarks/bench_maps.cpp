// One map through the editor's file operations: loadmap's reads and savemap's writes of a
// map file, a collision file and the map's name in projet.ini.

#include "maps/mapdocument.h"
#include "maps/mapfiles.h"
#include "project/module1.h"
#include "project/projectsession.h"

#include <QDir>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

void writeProject(const QString& dir) {
    QString map = QStringLiteral("0503\r\n"), ev;
    for (int r = 1; r <= 8; ++r) {
        for (int c = 1; c <= 17; ++c) {
            map += QString::number((r * c) % 10);
            ev += (r + c) % 5 == 0 ? u'1' : u'0';
        }
        map += QStringLiteral("\r\n");
        ev += QStringLiteral("\r\n");
    }
    writefile(map, mapFilePath(dir, QStringLiteral("01")));
    writefile(ev, collisionFilePath(dir, QStringLiteral("01")));
    // A project of some size: the map sections the INI reader walks past.
    QString ini = QStringLiteral("[Jeu]\r\nnom=Jeu\r\ncartes=20\r\n");
    for (int k = 1; k <= 20; ++k)
        ini += QStringLiteral("[Carte") + mapNumberText(k) +
               QStringLiteral("]\r\ntexture=01\r\nnom=Carte ") + QString::number(k) +
               QStringLiteral("\r\n");
    writefile(ini, dir + QStringLiteral("/projet.ini"));
}

void BM_LoadAndSaveMap(benchmark::State& bench) {
    QTemporaryDir tmp;
    const QString dir = tmp.path() + QStringLiteral("/projets/Jeu");
    QDir().mkpath(dir);
    writeProject(dir);
    ProjectSession session(AppPaths::inPlace(tmp.path()));
    session.open(QStringLiteral("Jeu"));
    for (auto _ : bench) {
        auto document = MapDocument::open(session, QStringLiteral("01"));
        if (!document || !document->save().isEmpty())
            bench.SkipWithError("save failed");
        benchmark::DoNotOptimize(document->cells().maptiles.data());
    }
}
BENCHMARK(BM_LoadAndSaveMap)->Unit(benchmark::kMicrosecond);

void BM_MapTexts(benchmark::State& bench) {
    MapCells state;
    state.reset();
    for (auto _ : bench) {
        QString map = state.mapFileText(5, 3);
        QString ev = state.collisionFileText();
        benchmark::DoNotOptimize(map.data());
        benchmark::DoNotOptimize(ev.data());
    }
}
BENCHMARK(BM_MapTexts)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
