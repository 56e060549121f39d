// The drawing tools without a window: flood fill, gestures on a map document, cell repaints.

#include "maps/mapdocument.h"
#include "maps/maprenderer.h"
#include "maps/paintgeometry.h"
#include "maps/painttools.h"
#include "project/projectsession.h"
#include "testsupport/tiles.h"

#include <QTest>
#include <QUndoStack>

using mapgrid::Cell;

namespace {

// Cells written as "r,c r,c ...".
QList<Cell> cells(const QString& text) {
    QList<Cell> list;
    for (const QString& pair : text.split(u' ', Qt::SkipEmptyParts))
        list.append(Cell{pair.section(u',', 0, 0).toInt(), pair.section(u',', 1, 1).toInt()});
    return list;
}

// A map given as its 8 rows of 17 tile characters ('.' for an empty slot).
std::array<QString, mapgrid::kSlots> tiles(const QStringList& rows) {
    std::array<QString, mapgrid::kSlots> store;
    for (int r = 1; r <= mapgrid::kRows; ++r)
        for (int c = 1; c <= mapgrid::kColumns; ++c)
            if (rows[r - 1][c - 1] != u'.')
                store[size_t(mapgrid::slot(r, c))] = rows[r - 1][c - 1];
    return store;
}

QStringList uniform(QChar code) { return QStringList(mapgrid::kRows, QString(17, code)); }

} // namespace

class TestPainting : public QObject {
    Q_OBJECT
    std::unique_ptr<AppFolder> mApp;
    std::unique_ptr<ProjectSession> mSession;
    std::shared_ptr<MapDocument> mDoc;
    PaintTools* mTools = nullptr;

    QString rowOf(CellChange::Layer layer, int row) const {
        const auto& store = layer == CellChange::Tile ? mDoc->cells().maptiles : mDoc->cells().mapcoll;
        QString text;
        for (int c = 1; c <= 17; ++c)
            text += store[size_t(mapgrid::slot(row, c))];
        return text;
    }
    // A gesture of the chosen tool through the cells, the last one released.
    void gesture(CellChange::Layer layer, const QString& code, const QList<Cell>& path) {
        mTools->press({mDoc.get(), layer, code}, path.first());
        for (const Cell& c : path.mid(1))
            mTools->move(c);
        mTools->release(path.last());
    }

private slots:
    void init() {
        mApp = std::make_unique<AppFolder>();
        makeProject(mApp->dir.path(), "Jeu", 1);
        makeTextureSets(mApp->dir.path());
        mSession = std::make_unique<ProjectSession>(mApp->appPaths());
        mSession->open("Jeu");
        mDoc = MapDocument::open(*mSession, "01");
        QVERIFY(mDoc);
        mTools = new PaintTools(mDoc.get());
    }
    void cleanup() {
        mDoc.reset();
        mSession.reset();
    }

    void floodCells_data() {
        QTest::addColumn<QStringList>("map");
        QTest::addColumn<QString>("start");
        QTest::addColumn<int>("count");
        QTest::addColumn<QString>("some"); // cells that must be reached
        QTest::addColumn<QString>("none"); // cells that must not
        QStringList pond = uniform(u'0');
        pond[2] = "00055500000000000";
        pond[3] = "00050500000000000";
        pond[4] = "00055500000000000";
        QTest::newRow("ring of water") << pond << "3,4" << 8 << "3,4 5,6" << "4,5";
        QTest::newRow("around the ring") << pond << "1,1" << 127 << "8,17" << "4,5 3,4";
        QStringList diagonal = uniform(u'1');
        diagonal[0] = "21111111111111111";
        diagonal[1] = "12111111111111111";
        QTest::newRow("corners do not join") << diagonal << "1,1" << 1 << "1,1" << "2,2";
        QStringList holes = uniform(u'3');
        holes[7] = "..3333333333333..";
        QTest::newRow("empty slots") << holes << "8,1" << 2 << "8,1 8,2" << "8,16";
        QTest::newRow("off the grid") << uniform(u'0') << "9,1" << 0 << "" << "";
    }
    void floodCells() {
        QFETCH(QStringList, map);
        QFETCH(QString, start);
        QFETCH(int, count);
        QFETCH(QString, some);
        QFETCH(QString, none);
        const auto store = tiles(map);
        const QList<Cell> reached =
            paintgeometry::floodCells(std::span<const QString>(store), cells(start).first());
        QCOMPARE(reached.size(), count);
        if (count)
            QCOMPARE(reached.first(), cells(start).first());
        for (const Cell& c : cells(some))
            QVERIFY2(reached.contains(c), qPrintable(QString("%1,%2").arg(c.row).arg(c.column)));
        for (const Cell& c : cells(none))
            QVERIFY(!reached.contains(c));
    }

    // Each gesture is one undo step, and undoing it gives the map back. In collision mode
    // every cell takes the state the first cell took when toggled.
    void eachGestureIsOneStep_data() {
        QTest::addColumn<int>("tool");
        QTest::addColumn<int>("layer");
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("row"); // row 1's tiles, or row 2's collision flags, after
        const int tile = CellChange::Tile, flag = CellChange::Collision;
        // Template tiles (1 + c) % 10 in row 1; flags on the diagonal only.
        // Through each corner the cell beside comes first: no diagonal gap.
        QTest::newRow("pencil diagonal") << int(PaintTools::Pencil) << tile << "1,1 3,3"
                                         << "99456789012345678";
        QTest::newRow("pencil back and forth") << int(PaintTools::Pencil) << tile << "1,3 1,1 1,3"
                                               << "99956789012345678";
        QTest::newRow("collisions from a free cell") << int(PaintTools::Pencil) << flag << "2,1 2,4"
                                                     << "11110000000000000";
        QTest::newRow("collisions from a set cell") << int(PaintTools::Pencil) << flag << "2,2 2,4"
                                                    << "00000000000000000";
        QTest::newRow("collision rectangle") << int(PaintTools::Rectangle) << flag << "1,5 2,7"
                                             << "01001110000000000";
    }
    void eachGestureIsOneStep() {
        QFETCH(int, tool);
        QFETCH(int, layer);
        QFETCH(QString, path);
        QFETCH(QString, row);
        const MapCells before = mDoc->cells();
        const auto l = CellChange::Layer(layer);
        mTools->choose(PaintTools::Kind(tool));
        gesture(l, l == CellChange::Tile ? "9" : "", cells(path));
        QCOMPARE(rowOf(l, l == CellChange::Tile ? 1 : 2), row);
        QCOMPARE(mDoc->undoStack()->count(), 1);
        QVERIFY(mDoc->isModified());
        mDoc->undoStack()->undo();
        QCOMPARE(mDoc->cells(), before);
        QVERIFY(!mDoc->isModified());
    }

    void collisionFillFollowsTheTiles() {
        mDoc->changeCells({{mapgrid::slot(8, 17), CellChange::Tile, {}, "5"},
                           {mapgrid::slot(8, 16), CellChange::Tile, {}, "5"},
                           {mapgrid::slot(7, 17), CellChange::Tile, {}, "5"}},
                          "Peindre");
        mTools->choose(PaintTools::Fill);
        gesture(CellChange::Collision, QString(), cells("8,17"));
        QCOMPARE(rowOf(CellChange::Collision, 8), QStringLiteral("00000001000000011")); // (8,8) from the template
        QCOMPARE(rowOf(CellChange::Collision, 7).right(2), QStringLiteral("01"));
    }

    // Repainting only the changed cells leaves the picture a full repaint gives, also where a
    // larger picture overlaps its neighbours or a cell cannot be painted.
    void cellRepaintEqualsFullRepaint_data() {
        QTest::addColumn<QString>("changes"); // slot=tile/flag ...
        QTest::newRow("one tile") << "20=7/0";
        QTest::newRow("a mark set and one taken off") << "0=0/1 135=5/0 18=1/1";
        QTest::newRow("under a larger picture") << "1=3/0 18=2/1";
        QTest::newRow("a larger picture put down") << "19=11/0";
        QTest::newRow("unpaintable code") << "40=x/0 41=/1";
    }
    void cellRepaintEqualsFullRepaint() {
        QFETCH(QString, changes);
        // Tile 12 of set 01 (code 11) is a 40 x 40 picture, larger than a cell.
        const QString data = mApp->dir.path() + "/data";
        QImage big(40, 40, QImage::Format_RGB32);
        big.fill(Qt::red);
        QVERIFY(big.save(data + "/images/terrains/terrain01/terrain012.JPG", "JPG"));
        QStringList tilesNow(mapgrid::kSlots), flagsNow(mapgrid::kSlots);
        for (int s = 0; s < mapgrid::kCells; ++s) {
            tilesNow[s] = QString::number(s % 10);
            flagsNow[s] = s % 4 == 0 ? "1" : "0";
        }
        tilesNow[0] = "11"; // its picture covers cells 1, 17 and 18 in part
        MapRenderer partial(Qt::black), full(Qt::black);
        partial.paint(tilesNow, flagsNow, data, "01");
        full.paint(tilesNow, flagsNow, data, "01");
        QList<int> changed;
        for (const QString& change : changes.split(u' ')) {
            const int s = change.section(u'=', 0, 0).toInt();
            tilesNow[s] = change.section(u'=', 1).section(u'/', 0, 0);
            flagsNow[s] = change.section(u'/', 1);
            changed.append(s);
        }
        const int before = partial.cellsPainted();
        const QRegion area = partial.paintCells(
            std::span(tilesNow.constData(), size_t(tilesNow.size())),
            std::span(flagsNow.constData(), size_t(flagsNow.size())), data, "01", changed);
        full.paint(tilesNow, flagsNow, data, "01");
        QCOMPARE(partial.image(), full.image());
        QVERIFY(!area.isEmpty());
        QVERIFY(partial.cellsPainted() - before <= changed.size() + 3);
    }
};

QTEST_MAIN(TestPainting)
#include "test_painting.moc"
