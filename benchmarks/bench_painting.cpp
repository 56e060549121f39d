// The drawing tools on a shown map canvas (offscreen), each measured from the gesture to the
// painted window: a flood fill of the whole 17 x 8 map with its repaint, and one move of a
// pencil drag across the map, which repaints only the cell it changes. For comparison, the
// same move when every move repaints the whole map, as the canvas did before.

#include "maps/mapcanvas.h"
#include "maps/mapdocument.h"
#include "maps/mapfiles.h"
#include "maps/painttools.h"
#include "project/module1.h"
#include "project/projectsession.h"

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QUndoStack>

#include <benchmark/benchmark.h>

namespace {

const QString kData = QStringLiteral(QUENDAL_SOURCE_DIR "/data");

// A project of one map painted all with code 0, texture set 01 of data/.
struct Bench {
    QTemporaryDir tmp;
    std::unique_ptr<ProjectSession> session;
    std::shared_ptr<MapDocument> document;
    std::unique_ptr<MapCanvas> canvas;
    PaintTools tools;

    Bench() {
        const QString dir = tmp.path() + QStringLiteral("/projets/Jeu");
        QDir().mkpath(dir);
        const QString row = QString(17, u'0') + QStringLiteral("\r\n");
        writefile(QStringLiteral("0503\r\n") + row.repeated(8),
                  mapFilePath(dir, QStringLiteral("01")));
        writefile(row.repeated(8), collisionFilePath(dir, QStringLiteral("01")));
        writefile(QStringLiteral(
                      "[Jeu]\r\nnom=Jeu\r\ncartes=1\r\n[Carte01]\r\ntexture=01\r\nnom=Carte\r\n"),
                  dir + QStringLiteral("/projet.ini"));
        session = std::make_unique<ProjectSession>(AppPaths::inPlace(tmp.path()));
        session->open(QStringLiteral("Jeu"));
        document = MapDocument::open(*session, QStringLiteral("01"));
        canvas = std::make_unique<MapCanvas>(kData);
        if (!document)
            return;
        canvas->setDocument(document.get());
        canvas->show();
        QApplication::processEvents();
    }
    ToolTarget target(const QString& code) { return {document.get(), CellChange::Tile, code}; }
    // Lets the canvas paint what it was told to.
    static void paintNow() { QApplication::processEvents(); }
};

void BM_FillWholeMapAndRepaint(benchmark::State& state) {
    Bench b;
    if (!b.document) {
        state.SkipWithError("no map");
        return;
    }
    b.tools.choose(PaintTools::Fill);
    const int painted = b.canvas->renderer().cellsPainted();
    int fills = 0;
    for (auto _ : state) {
        b.tools.press(b.target(QStringLiteral("5")), mapgrid::Cell{4, 9});
        b.tools.release(mapgrid::Cell{4, 9});
        Bench::paintNow();
        state.PauseTiming();
        b.document->undoStack()->undo();
        Bench::paintNow();
        state.ResumeTiming();
        ++fills;
    }
    // Each fill and each undo repaints the 136 cells once.
    state.counters["cells_per_fill"] =
        double(b.canvas->renderer().cellsPainted() - painted) / (2.0 * fills);
}
BENCHMARK(BM_FillWholeMapAndRepaint)->Unit(benchmark::kMicrosecond);

// The pointer goes through the map row by row and back, one cell a move; every pass paints
// the other of two tiles, so that every move changes its cell.
void dragAcross(benchmark::State& state, bool wholeMapEachMove) {
    Bench b;
    if (!b.document) {
        state.SkipWithError("no map");
        return;
    }
    b.tools.choose(PaintTools::Pencil);
    if (wholeMapEachMove) {
        b.document->disconnect(b.canvas.get());
        QObject::connect(b.document.get(), &MapDocument::cellsChanged, b.canvas.get(),
                         &MapCanvas::paintMap);
    }
    int step = 0, pass = 0, moves = 0;
    const auto cellOf = [](int k) {
        const int row = k / mapgrid::kColumns + 1;
        const int c = k % mapgrid::kColumns;
        return mapgrid::Cell{row, row % 2 ? c + 1 : mapgrid::kColumns - c}; // back and forth
    };
    b.tools.press(b.target(QStringLiteral("3")), cellOf(0));
    Bench::paintNow();
    const int painted = b.canvas->renderer().cellsPainted();
    for (auto _ : state) {
        if (++step == mapgrid::kCells) {
            state.PauseTiming();
            b.tools.release(cellOf(step - 1));
            step = 0;
            b.tools.press(b.target(++pass % 2 ? QStringLiteral("4") : QStringLiteral("3")),
                          cellOf(0));
            Bench::paintNow();
            state.ResumeTiming();
        } else {
            b.tools.move(cellOf(step));
            Bench::paintNow();
            ++moves;
        }
    }
    b.tools.release(cellOf(step));
    state.counters["cells_painted_per_move"] =
        double(b.canvas->renderer().cellsPainted() - painted -
               pass * (wholeMapEachMove ? 136 : 1)) /
        std::max(moves, 1);
}

void BM_DragMove(benchmark::State& state) { dragAcross(state, false); }
BENCHMARK(BM_DragMove)->Unit(benchmark::kMicrosecond);

void BM_DragMoveRepaintingWholeMap(benchmark::State& state) { dragAcross(state, true); }
BENCHMARK(BM_DragMoveRepaintingWholeMap)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
