// Showing the page: the part changed between frames, its scaled drawing, the real window.
#include "player/playerwindow.h"
#include "player/screen.h"
#include "player/shownframe.h"

#include <QPainter>
#include <QScreen>
#include <QTest>

namespace {

QImage page(QRgb fill) {
    QImage p(Screen::kWidth, Screen::kHeight, QImage::Format_ARGB32);
    p.fill(fill);
    return p;
}

// A page where every pixel differs from its neighbours.
QImage pattern() {
    QImage p = page(0);
    for (int y = 0; y < p.height(); ++y)
        for (int x = 0; x < p.width(); ++x)
            p.setPixel(x, y, qRgba(x & 0xFF, y, (x * 7 + y * 3) & 0xFF, 255));
    return p;
}

QImage windowPicture(const QSize& size) {
    QImage w(size, QImage::Format_RGB32);
    w.fill(qRgb(1, 2, 3)); // neither black nor a page colour: untouched pixels show
    return w;
}

} // namespace

class TestShownFrame : public QObject {
    Q_OBJECT
private slots:
    void changedPart_data() {
        QTest::addColumn<QList<QPoint>>("changed");
        QTest::addColumn<bool>("alphaOnly");
        QTest::addColumn<QRect>("expected");
        QTest::newRow("nothing") << QList<QPoint>{} << false << QRect();
        QTest::newRow("one pixel") << QList<QPoint>{{5, 7}} << false << QRect(5, 7, 1, 1);
        QTest::newRow("corners") << QList<QPoint>{{0, 0}, {479, 271}} << false << QRect(0, 0, 480, 272);
        QTest::newRow("two far pixels") << QList<QPoint>{{470, 2}, {3, 260}} << false << QRect(QPoint(3, 2), QPoint(470, 260));
        QTest::newRow("alpha only: the display ignores it") << QList<QPoint>{{9, 9}} << true << QRect();
    }
    void changedPart() {
        QFETCH(QList<QPoint>, changed);
        QFETCH(bool, alphaOnly);
        QFETCH(QRect, expected);
        ShownFrame shown;
        QImage p = page(qRgba(10, 20, 30, 255));
        QCOMPARE(shown.take(p), QRect(0, 0, 480, 272));
        for (const QPoint& at : changed)
            p.setPixel(at, alphaOnly ? qRgba(10, 20, 30, 0) : qRgba(200, 20, 30, 7));
        QCOMPARE(shown.take(p), expected);
        for (const QPoint& at : changed) // kept opaque
            QCOMPARE(shown.image().pixel(at), alphaOnly ? qRgb(10, 20, 30) : qRgb(200, 20, 30));
        QCOMPARE(shown.take(p), QRect());
    }

    // The direct drawing gives Qt's own scaled pixels, inside the area only.
    void scaledDrawingMatchesThePainter_data() {
        QTest::addColumn<QSize>("window");
        QTest::addColumn<QRect>("target");
        QTest::addColumn<QRect>("area");
        QTest::newRow("odd corner, twice") << QSize(960, 544) << QRect(0, 0, 960, 544) << QRect(7, 5, 33, 21);
        QTest::newRow("three times with bars") << QSize(1500, 840) << QRect(30, 12, 1440, 816) << QRect(0, 0, 1500, 840);
        QTest::newRow("across a bar") << QSize(1500, 840) << QRect(30, 12, 1440, 816) << QRect(20, 800, 40, 40);
        QTest::newRow("once") << QSize(480, 272) << QRect(0, 0, 480, 272) << QRect(100, 100, 5, 5);
    }
    void scaledDrawingMatchesThePainter() {
        QFETCH(QSize, window);
        QFETCH(QRect, target);
        QFETCH(QRect, area);
        ShownFrame shown;
        shown.take(pattern());
        QImage direct = windowPicture(window), painted = windowPicture(window);
        shown.paintScaled(direct, target, area);
        {
            QPainter painter(&painted);
            shown.paint(painter, target, QRegion(area));
        }
        QCOMPARE(direct, painted);
    }

    // Every flip shows at once, a one-pixel change too, none waiting for an update request.
    void windowShowsEachPageAtOnce() {
        PlayerWindow window(2);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QImage p = pattern();
        for (const QPoint& changed : {QPoint(-1, -1), QPoint(300, 200), QPoint(0, 0)}) {
            if (changed.x() >= 0)
                p.setPixel(changed, qRgb(255, 255, 255));
            window.showFrame(p);
            const QImage grabbed = window.screen()->grabWindow(window.winId()).toImage();
            QCOMPARE(grabbed.convertToFormat(QImage::Format_RGB32).copy(0, 0, 960, 544),
                     p.convertToFormat(QImage::Format_RGB32).scaled(960, 544));
        }
    }
};

QTEST_MAIN(TestShownFrame)
#include "tst_shownframe.moc"
