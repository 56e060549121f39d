// One full repaint of the 136 cells of a map with the supplied texture set 01 (ten tiles, a
// collision mark on every third cell), with the tile pictures already cached and with an
// empty cache (every picture read and decoded again, as a repaint without a cache would).
#include "maps/maprenderer.h"

#include <QGuiApplication>

#include <benchmark/benchmark.h>

namespace {

struct Frame {
    QStringList tiles;
    QStringList collisions;
    Frame() {
        for (int s = 0; s < mapgrid::kSlots; ++s) {
            tiles.append(QString::number(s % 10));
            collisions.append(s % 3 == 0 ? QStringLiteral("1") : QStringLiteral("0"));
        }
    }
};

const QString kData = QStringLiteral(QUENDAL_SOURCE_DIR "/data");

void BM_RepaintWarm(benchmark::State& state) {
    const Frame frame;
    MapRenderer renderer;
    renderer.paint(frame.tiles, frame.collisions, kData, QStringLiteral("01"));
    if (renderer.cache().reads() != 10)
        state.SkipWithError("texture set 01 of data/ is missing");
    for (auto _ : state) {
        renderer.paint(frame.tiles, frame.collisions, kData, QStringLiteral("01"));
        benchmark::DoNotOptimize(renderer.image().constBits());
    }
}
BENCHMARK(BM_RepaintWarm)->Unit(benchmark::kMicrosecond);

void BM_RepaintCold(benchmark::State& state) {
    const Frame frame;
    MapRenderer renderer;
    for (auto _ : state) {
        renderer.cache().clear();
        renderer.paint(frame.tiles, frame.collisions, kData, QStringLiteral("01"));
        benchmark::DoNotOptimize(renderer.image().constBits());
    }
}
BENCHMARK(BM_RepaintCold)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv); // fonts for the collision marks
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
