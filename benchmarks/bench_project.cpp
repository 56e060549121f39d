// Reading and writing one key of a large projet.ini: 100 map sections and 200 variables.
#include "project/module1.h"

#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

QString bigProject(const QTemporaryDir& dir) {
    const QString ini = dir.filePath("projet.ini");
    QString text = "[Jeu]\r\nnom=Aventure\r\nauteur=Anonyme\r\nver=3.0.0\r\ncartes=100\r\n"
                   "combats=0\r\n";
    for (int i = 1; i <= 100; ++i)
        text += "[Carte" + mapNumberText(i) + "]\r\ntexture=01\r\nnom=Carte " +
                QString::number(i) + "\r\n";
    text += "[Variables]\r\nnombre=200\r\n";
    for (int i = 1; i <= 200; ++i)
        text += "[Variable" + QString::number(i) + "]\r\nnumero=" + QString::number(i) +
                "\r\nvaleur=valeur de départ " + QString::number(i) + "\r\n";
    writefile(text, ini);
    return ini;
}

void BM_ReadIniKey(benchmark::State& state) {
    QTemporaryDir dir;
    const QString ini = bigProject(dir);
    for (auto _ : state)
        benchmark::DoNotOptimize(readini("variable200", "valeur", ini));
}
BENCHMARK(BM_ReadIniKey);

void BM_WriteIniKey(benchmark::State& state) {
    QTemporaryDir dir;
    const QString ini = bigProject(dir);
    int n = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(writeini("Variable150", "valeur", QString::number(++n), ini));
}
BENCHMARK(BM_WriteIniKey);

} // namespace

BENCHMARK_MAIN();
