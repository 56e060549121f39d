// Finalising a project of 99 maps, beside a plain copy of the same files in the same run (the
// floor it is measured against; goal: the export's copy within 1.5 times the plain copy). The
// destination is on the disk (/0) or in memory (/1): the export writes everything to the medium
// before it renames, which on a disk costs what a sync costs a plain copy.
//   BM_PlainCopy       std::filesystem::copy_file of every file of the game into a new folder
//   BM_PlainCopySynced the same, then the volume written to disk, as one does before pulling a stick
//   BM_ExportCopy      copyGame(): staging folder, every write checked, volume synced, rename
//   BM_Finalise        prepareExport() (build, Lua check, file list, room) and copyGame()
#include "build/gamecopy.h"
#include "build/gameexport.h"
#include "project/apppaths.h"
#include "project/creation.h"
#include "project/module1.h"
#include "project/projectfile.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <filesystem>

#include <fcntl.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

constexpr int kMaps = 99;

void syncVolumeOf(const QString& folder) {
    const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY);
    if (fd >= 0) {
        ::syncfs(fd);
        ::close(fd);
    }
}

void copyFolder(const QString& from, const QString& to) {
    QDirIterator it(from, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString file = it.next();
        const QString target = to + file.mid(from.size());
        QDir().mkpath(QFileInfo(target).path());
        QFile::copy(file, target);
    }
}

struct BenchGame {
    QTemporaryDir dir;
    AppPaths paths = AppPaths::inPlace(dir.path() + "/app");
    QString destination = dir.path() + "/CLE_USB";
    ExportPlan plan;
    int runs = 0;

    BenchGame() {
        copyFolder(QUENDAL_SOURCE_DIR "/data", paths.dataDir);
        createProject(paths, "Bench", "Anonyme");
        const QString project = paths.projectFolder("Bench");
        const ProjectFile ini(project + "/projet.ini");
        for (int m = 2; m <= kMaps; ++m) {
            const QString nn = mapNumberText(m);
            ini.addMapEntry(nn);
            QFile::copy(project + "/map01.map", project + "/map" + nn + ".map");
            QFile::copy(project + "/map01.ev", project + "/map" + nn + ".ev");
            QDir().mkpath(project + "/images/map" + nn);
            QFile::copy(project + "/images/map01/terrain.png", project + "/images/map" + nn + "/terrain.png");
            QDir().mkpath(project + "/ev/map" + nn);
            writefile("\r\naffichertexte(\"Carte " + nn + "\")", project + "/ev/map" + nn + "/ev59");
        }
        QDir().mkpath(destination);
        const ExportPreparation prepared = prepareExport(paths, "Bench", {destination, false});
        plan = prepared.plan;
        if (!prepared.error.isEmpty())
            qFatal("%s", qPrintable(prepared.error));
        // What the setup wrote goes to the disk now, not during the first benchmark.
        syncVolumeOf(dir.path());
    }

    // In memory (tmpfs), flushing to the medium costs nothing: what is left is the copying.
    QTemporaryDir memory{QStringLiteral("/dev/shm/bench_export-XXXXXX")};

    // A new empty folder for one benchmark, standing for the destination: on the disk (0) or in
    // memory (1).
    QString freshFolder(int where = 0) {
        const QString base = where == 1 && memory.isValid() ? memory.path() : destination;
        const QString folder = base + "/run" + QString::number(++runs);
        QDir().mkpath(folder);
        return folder;
    }
};

BenchGame& game() {
    static BenchGame g;
    return g;
}

// Each run writes into a folder of its own; they are removed after the last run, so that
// removing files does not weigh on the next run's timing.
void plainCopy(benchmark::State& state, bool synced) {
    BenchGame& g = game();
    const QString root = g.freshFolder(int(state.range(0)));
    int run = 0;
    for (auto _ : state) {
        const QString folder = root + "/" + QString::number(++run);
        for (const GameFile& f : g.plan.files.files) {
            const fs::path target = fs::path(QFile::encodeName(folder + "/Bench/" + f.relative).toStdString());
            std::error_code error;
            fs::create_directories(target.parent_path(), error);
            if (!fs::copy_file(QFile::encodeName(f.source).toStdString(), target, error))
                state.SkipWithError("copy failed");
        }
        if (synced)
            syncVolumeOf(folder);
    }
    QDir(root).removeRecursively();
    state.SetBytesProcessed(state.iterations() * g.plan.files.bytes);
    state.counters["files"] = double(g.plan.files.files.size());
}

void BM_PlainCopy(benchmark::State& state) { plainCopy(state, false); }
void BM_PlainCopySynced(benchmark::State& state) { plainCopy(state, true); }

void BM_ExportCopy(benchmark::State& state) {
    BenchGame& g = game();
    const QString root = g.freshFolder(int(state.range(0)));
    int run = 0;
    ExportPlan plan = g.plan;
    for (auto _ : state) {
        plan.destination = root + "/" + QString::number(++run);
        QDir().mkdir(plan.destination);
        plan.target = plan.destination + "/Bench";
        if (!copyGame(plan).done)
            state.SkipWithError("export failed");
    }
    QDir(root).removeRecursively();
    state.SetBytesProcessed(state.iterations() * g.plan.files.bytes);
}

void BM_Finalise(benchmark::State& state) {
    BenchGame& g = game();
    const QString root = g.freshFolder();
    int run = 0;
    for (auto _ : state) {
        const QString folder = root + "/" + QString::number(++run);
        QDir().mkdir(folder);
        const ExportPreparation prepared = prepareExport(g.paths, "Bench", {folder, false});
        if (!prepared.error.isEmpty() || !copyGame(prepared.plan).done)
            state.SkipWithError("finalising failed");
    }
    QDir(root).removeRecursively();
}

} // namespace

// Argument: the destination on the disk (0) or in memory (1).
BENCHMARK(BM_PlainCopy)->Unit(benchmark::kMillisecond)->Iterations(40)->Arg(0)->Arg(1);
BENCHMARK(BM_PlainCopySynced)->Unit(benchmark::kMillisecond)->Iterations(40)->Arg(0)->Arg(1);
BENCHMARK(BM_ExportCopy)->Unit(benchmark::kMillisecond)->Iterations(40)->Arg(0)->Arg(1);
BENCHMARK(BM_Finalise)->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK_MAIN();
