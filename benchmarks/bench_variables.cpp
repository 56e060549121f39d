// A project of 1,000 and of 10,000 variables: listing them as the variables window does, and
// building the game. projet.ini is read and parsed once per call, so both grow linearly.
#include "build/compiler.h"
#include "project/module1.h"
#include "project/projectfile.h"
#include "variables/variables.h"

#include <QDir>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <map>

namespace {

struct VariablesProject {
    QTemporaryDir dir;
    QString folder;

    explicit VariablesProject(int variables) {
        folder = dir.path() + "/Bench";
        QDir().mkpath(folder + "/ev/map01");
        QString ini = "[Jeu]\r\nnom=Bench\r\nauteur=Anonyme\r\ncartes=1\r\ncombats=0\r\n"
                      "[Carte01]\r\ntexture=01\r\nnom=Carte 1\r\n[Variables]\r\nnombre=" +
                      QString::number(variables) + "\r\n";
        for (int n = 1; n <= variables; ++n)
            ini += "[Variable" + QString::number(n) + "]\r\nnumero=" + QString::number(n) +
                   "\r\nvaleur=valeur de départ " + QString::number(n) + "\r\n";
        writefile(ini, folder + "/projet.ini");
    }
};

VariablesProject& project(int variables) {
    static std::map<int, std::unique_ptr<VariablesProject>> projects;
    auto& p = projects[variables];
    if (!p)
        p = std::make_unique<VariablesProject>(variables);
    return *p;
}

void BM_ListVariables(benchmark::State& state) {
    const int n = int(state.range(0));
    const ProjectFile file(project(n).folder + "/projet.ini");
    for (auto _ : state) {
        const VariableListing listing = listVariables(file);
        if (listing.lines.size() != n)
            state.SkipWithError("wrong listing");
        benchmark::DoNotOptimize(listing.lines.data());
    }
    state.SetComplexityN(n);
}

void BM_BuildGame(benchmark::State& state) {
    const int n = int(state.range(0));
    const QString folder = project(n).folder;
    for (auto _ : state) {
        const CompileResult r = compiler(folder);
        if (!r.variablesWritten || r.scripts.startValues.size() != n)
            state.SkipWithError("build failed");
    }
    state.SetComplexityN(n);
}

} // namespace

BENCHMARK(BM_ListVariables)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond)->Complexity();
BENCHMARK(BM_BuildGame)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond)->Complexity();
BENCHMARK_MAIN();
