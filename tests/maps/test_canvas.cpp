// Canvas geometry, the painted picture of a map and the canvas widget.

#include "maps/mapcanvas.h"
#include "maps/maprenderer.h"

#include <QDir>
#include <QImage>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <array>
#include <memory>

using mapgrid::Cell;

namespace {

// A texture set 01 whose tile k is a solid picture of the given colour and size.
void makeTile(const QString& appDir, int tile, QColor colour, QSize size = {28, 29}) {
    const QString folder = appDir + "/data/images/terrains/terrain01";
    QDir().mkpath(folder);
    QImage picture(size, QImage::Format_RGB32);
    picture.fill(colour);
    QVERIFY(picture.save(folder + "/terrain0" + QString::number(tile) + ".JPG", "JPG", 100));
}

bool near(QColor a, QColor b) {
    return qAbs(a.red() - b.red()) < 12 && qAbs(a.green() - b.green()) < 12 &&
           qAbs(a.blue() - b.blue()) < 12;
}

bool isWhite(QRgb p) { return qRed(p) > 200 && qGreen(p) > 200 && qBlue(p) > 200; }

QStringList filled(const QString& text) { return QStringList(mapgrid::kSlots, text); }

} // namespace

class TestCanvas : public QObject {
    Q_OBJECT
private slots:
    void init() {
        mDir = std::make_unique<QTemporaryDir>();
        QVERIFY(mDir->isValid());
        mApp = mDir->path();
    }

    void cellAt_data() {
        QTest::addColumn<QPoint>("press");
        QTest::addColumn<int>("row"); // 0: no cell
        QTest::addColumn<int>("column");
        QTest::newRow("origin") << QPoint(0, 0) << 1 << 1;
        QTest::newRow("last pixel of first cell") << QPoint(27, 28) << 1 << 1;
        QTest::newRow("x 28 is column 2") << QPoint(28, 0) << 1 << 2;
        QTest::newRow("y 29 is row 2") << QPoint(0, 29) << 2 << 1;
        QTest::newRow("x 475 is column 17") << QPoint(475, 231) << 8 << 17;
        QTest::newRow("x 476 is no cell") << QPoint(476, 10) << 0 << 0;
        QTest::newRow("y 232 is no cell") << QPoint(10, 232) << 0 << 0;
        QTest::newRow("bottom right corner") << QPoint(480, 248) << 0 << 0;
        QTest::newRow("negative") << QPoint(-1, 5) << 0 << 0;
    }
    void cellAt() {
        QFETCH(QPoint, press);
        QFETCH(int, row);
        QFETCH(int, column);
        const auto cell = mapgrid::cellAt(press);
        if (row == 0) {
            QVERIFY(!cell);
            return;
        }
        QVERIFY(cell);
        QCOMPARE(*cell, (Cell{row, column, (row - 1) * 17 + (column - 1)}));
    }

    void paintsTilesAtTheirOwnSize() {
        makeTile(mApp, 1, Qt::red);               // code 0
        makeTile(mApp, 2, Qt::blue, {10, 10});    // code 1: smaller than a cell
        makeTile(mApp, 3, Qt::green, {40, 40});   // code 2: larger, not clipped
        MapRenderer renderer(Qt::black);
        QStringList tiles(mapgrid::kSlots, QString());
        tiles[0] = "2";                           // row 1, column 1
        tiles[17 + 4] = "0";                      // row 2, column 5
        tiles[16] = "1";                          // row 1, column 17
        renderer.paint(tiles, QStringList(), mApp, "01");
        const QImage& img = renderer.image();
        QCOMPARE(img.size(), QSize(481, 249));
        QVERIFY(near(img.pixelColor(4 * 28 + 14, 29 + 14), Qt::red));
        QVERIFY(near(img.pixelColor(4 * 28 + 27, 29 + 28), Qt::red));
        QVERIFY(near(img.pixelColor(16 * 28 + 9, 9), Qt::blue));
        QCOMPARE(img.pixelColor(16 * 28 + 12, 12), QColor(Qt::black)); // left free
        QVERIFY(near(img.pixelColor(35, 35), Qt::green)); // spills into the next cells
        QCOMPARE(img.pixelColor(478, 240), QColor(Qt::black)); // strips untouched
    }

    void collisionMarkOfLastCell() {
        makeTile(mApp, 1, Qt::black);
        MapRenderer renderer(Qt::black);
        // The map editor keeps its stores in arrays of 201 texts.
        std::array<QString, mapgrid::kSlots> tiles, coll;
        tiles.fill("0");
        coll.fill("0");
        coll[135] = "1"; // row 8, column 17
        renderer.paint(tiles, coll, mApp, "01");
        const QImage& img = renderer.image();
        int left = 10000, top = 10000, right = -1, bottom = -1;
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x)
                if (isWhite(img.pixel(x, y))) {
                    left = qMin(left, x), top = qMin(top, y);
                    right = qMax(right, x), bottom = qMax(bottom, y);
                }
        // An "X" of 19 pixels drawn from (453, 203): its ink starts just right of and below it.
        QVERIFY2(left >= 453 && left <= 457, qPrintable(QString::number(left)));
        QVERIFY2(top >= 203 && top <= 210, qPrintable(QString::number(top)));
        QVERIFY(right - left >= 7 && right < 481);
        QVERIFY(bottom - top >= 9 && bottom < 249);
        QCOMPARE(img.pixel(img.width() / 2, 100), QColor(Qt::black).rgb());

        // Flag cleared: the cell's picture paints over the old mark.
        renderer.paint(filled("0"), filled("0"), mApp, "01");
        QVERIFY(!isWhite(renderer.image().pixel((left + right) / 2, (top + bottom) / 2)));
    }

    void unpaintableCellsKeepOldPixels() {
        makeTile(mApp, 1, Qt::red);
        MapRenderer renderer(Qt::yellow);
        const QStringList codes = {"", "a", " 1", "-1", "5", "0"};
        QStringList tiles(mapgrid::kSlots, QString());
        for (int i = 0; i < codes.size(); ++i)
            tiles[i] = codes[i]; // "5" has no picture in the set
        renderer.paint(tiles, QStringList(), mApp, "01");
        for (int i = 0; i < 5; ++i)
            QCOMPARE(renderer.image().pixelColor(i * 28 + 14, 14), QColor(Qt::yellow));
        QVERIFY(near(renderer.image().pixelColor(5 * 28 + 14, 14), Qt::red));
        // An unknown set paints nothing either.
        renderer.image().fill(Qt::yellow);
        renderer.paint(filled("0"), QStringList(), mApp, "");
        QCOMPARE(renderer.image().pixelColor(14, 14), QColor(Qt::yellow));
    }

    void canvasWidget() {
        makeTile(mApp, 1, Qt::red);
        QWidget window;
        auto* canvas = new MapCanvas(mApp, &window);
        window.show();
        QCOMPARE(window.findChild<MapCanvas*>("CarteImg"), canvas);
        QCOMPARE(canvas->accessibleName(), QString("Carte"));
        QCOMPARE(canvas->size(), QSize(481, 249));
        QCOMPARE(canvas->pos(), QPoint(0, 0));

        QSignalSpy spy(canvas, &MapCanvas::pressed);
        QTest::mouseClick(canvas, Qt::RightButton, Qt::ShiftModifier, QPoint(30, 40));
        QTest::mouseClick(canvas, Qt::LeftButton, {}, QPoint(478, 10));
        QCOMPARE(spy.size(), 2);
        QCOMPARE(spy[0][0].toPoint(), QPoint(30, 40));
        QCOMPARE(spy[1][0].toPoint(), QPoint(478, 10));

        canvas->paintMap(filled("0"), filled("0"), "01");
        QVERIFY(near(canvas->grab().toImage().pixelColor(100, 100), Qt::red));
    }

private:
    std::unique_ptr<QTemporaryDir> mDir;
    QString mApp;
};

QTEST_MAIN(TestCanvas)
#include "test_canvas.moc"
