// The map editor's canvas driven by real mouse and key events.

#include "editorfixture.h"
#include "events/eventscript.h"
#include "maps/canvasview.h"
#include "maps/mapdocument.h"
#include "maps/mapfiles.h"
#include "maps/painttools.h"
#include "maps/tilepalette.h"

#include <QAction>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QUndoStack>

namespace {

// The map file a save writes: hero start, rows, ninth row, last CR LF.
QString mapText(const QStringList& rows, const QString& ninth = QString()) {
    return "0503\r\n" + rows.join("\r\n") + "\r\n" + ninth + "\r\n\r\n";
}

// The template's rows with codes put from a column on, in rows first to last.
QStringList templateWith(int first, int last, int column, const QString& codes) {
    QStringList rows;
    for (int r = 1; r <= 8; ++r)
        rows << (r < first || r > last ? templateMapRow(r)
                                       : templateMapRow(r).replace(column - 1, codes.size(), codes));
    return rows;
}

} // namespace

class TestCanvasTools : public QObject {
    Q_OBJECT
    std::unique_ptr<EditorFixture> mFix;
    QString mProject;

    void activate(QWidget* e) {
        e->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(e));
    }
    QString saved(MapEditor* e) {
        clickOn(e, "Command7");
        return readfile(mapFilePath(mProject, "01"));
    }

private slots:
    void init() {
        mFix = std::make_unique<EditorFixture>();
        mProject = mFix->project;
    }
    void cleanup() { mFix.reset(); }

    // Whatever the button, a drag paints every cell it crosses, even those it skipped over,
    // and repaints those cells and no other.
    void dragPaintsEveryCrossedCell_data() {
        QTest::addColumn<int>("button");
        QTest::addColumn<int>("keys");
        QTest::newRow("left") << int(Qt::LeftButton) << 0;
        QTest::newRow("right") << int(Qt::RightButton) << 0;
        QTest::newRow("shift and middle") << int(Qt::MiddleButton) << int(Qt::ShiftModifier);
    }
    void dragPaintsEveryCrossedCell() {
        QFETCH(int, button);
        QFETCH(int, keys);
        auto e = mFix->editorOn("01");
        pickerOf(e.get())->setValue(10); // code 9
        const int before = canvasOf(e.get())->renderer().cellsPainted();
        drag(e.get(), {{2, 1}, {2, 3}, {2, 5}}, Qt::MouseButton(button),
             Qt::KeyboardModifiers(keys));
        QCOMPARE(canvasOf(e.get())->renderer().cellsPainted() - before, 5);
        QCOMPARE(saved(e.get()), mapText(templateWith(2, 2, 1, "99999")));
        QCOMPARE(e->document()->undoStack()->count(), 1);
        QVERIFY(nearColour(shownAt(e.get(), centre(2, 3)), tileColour(1, 10)));
    }

    // Each gesture (and the reset) is one undo step and saves the expected bytes.
    void gesturesSaveTheirCells_data() {
        QTest::addColumn<QString>("steps");
        QTest::addColumn<int>("undoSteps");
        QTest::addColumn<QStringList>("rows");
        QTest::addColumn<QString>("ninth");
        const QString rectangle = "Choixtext=10 toolRectangleButton ", zeros(17, u'0');
        QTest::newRow("rectangle") << rectangle + "@3,9-5,6" << 1 << templateWith(3, 5, 6, "9999")
                                   << "";
        QTest::newRow("rectangle dragged past the edge")
            << rectangle + "@7,16-7,20-8,17" << 1 << templateWith(7, 8, 16, "99") << "";
        QTest::newRow("fill of the whole map") << "Command10 Choixtext=10 toolFillButton @4,4" << 2
                                               << QStringList(8, QString(17, u'9')) << zeros;
        QTest::newRow("line then fill")
            << "Command10 Choixtext=10 @1,9-8,9 Choixtext=3 toolFillButton @5,1" << 3
            << QStringList(8, QString(8, u'2') + '9' + QString(8, u'0')) << zeros;
    }
    void gesturesSaveTheirCells() {
        QFETCH(QString, steps);
        QFETCH(int, undoSteps);
        QFETCH(QStringList, rows);
        QFETCH(QString, ninth);
        auto e = mFix->editorOn("01");
        mFix->app.dialogs.answers = {MsgAnswer::Yes};
        play(e.get(), steps);
        QCOMPARE(e->document()->undoStack()->count(), undoSteps);
        QCOMPARE(saved(e.get()), mapText(rows, ninth));
    }

    // A double click (press, release, press, double click, release) is two presses.
    void doubleClickIsTwoPresses() {
        auto e = mFix->editorOn("01");
        clickOn(e.get(), "Option1_1");
        MapCanvas* canvas = canvasOf(e.get());
        const QPoint at = centre(2, 6);
        QTest::mouseClick(canvas, Qt::LeftButton, {}, at);
        QTest::mousePress(canvas, Qt::LeftButton, {}, at);
        QMouseEvent twice(QEvent::MouseButtonDblClick, at, canvas->mapToGlobal(at),
                          Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(canvas, &twice);
        QTest::mouseRelease(canvas, Qt::LeftButton, {}, at);
        QCOMPARE(e->document()->cells().mapcoll[size_t(mapgrid::slot(2, 6))], QStringLiteral("0"));
        QCOMPARE(e->document()->undoStack()->count(), 2);
    }

    // A second button during a rectangle drops it; so do Escape and another tool.
    void rectangleIsDropped() {
        auto e = mFix->editorOn("01");
        activate(e.get());
        MapCanvas* canvas = canvasOf(e.get());
        canvas->setFocus();
        const auto before = e->document()->cells();
        for (int how = 0; how < 3; ++how) {
            e->tools().choose(PaintTools::Rectangle);
            QTest::mousePress(canvas, Qt::LeftButton, {}, centre(1, 1));
            QTest::mouseMove(canvas, centre(3, 3));
            if (how == 0)
                drag(e.get(), {{3, 3}}, Qt::RightButton);
            else
                QTest::keyClick(canvas, how == 1 ? Qt::Key_Escape : Qt::Key_F);
            QTest::mouseRelease(canvas, Qt::LeftButton, {}, centre(3, 3));
        }
        QCOMPARE(e->document()->cells(), before);
        QCOMPARE(e->document()->undoStack()->count(), 0);
    }

    // A tile chosen in either is chosen in the other; another set brings both down to its tiles.
    void paletteAndPickerStayInStep() {
        auto e = mFix->editorOn("01");
        auto* p = e->findChild<TilePalette*>("tilePalette");
        QCOMPARE(p->tileCount(), 10); // twelve tiles, ten that a map file can hold
        clickOn(e.get(), "Option1_2");
        QTest::mouseClick(p, Qt::LeftButton, {}, p->tileRect(5).center());
        QCOMPARE(pickerOf(e.get())->value(), 5);
        QCOMPARE(e->mode(), MapEditor::Drawing);
        clickOn(e.get(), "Option1_1");
        pickerOf(e.get())->setValue(8);
        QCOMPARE(p->tile(), 8);
        QCOMPARE(e->mode(), MapEditor::Drawing);
        p->setFocus();
        QTest::keyClick(p, Qt::Key_3); // the code's digit
        QCOMPARE(pickerOf(e.get())->value(), 4);
        play(e.get(), "Command11 HScroll2=2 Command14");
        QVERIFY(e->findChild<QWidget*>("Frame4")->isHidden());
        QVERIFY(nearColour(shownAt(e.get(), {42, 14}), tileColour(2, 4))); // code 3
        QCOMPARE(p->tileCount(), 4);
        QCOMPARE(pickerOf(e.get())->value(), 4);
        QCOMPARE(p->tile(), 4);
        pressCell(e.get(), 1, 1);
        QCOMPARE(e->document()->cells().maptiles[0], QStringLiteral("3"));
        QVERIFY(mFix->app.dialogs.shown.isEmpty());
    }

    // Tools, modes and the grid from the keyboard; arrows move the outlined cell, Space paints.
    void keyboardWorksTheEditor() {
        auto e = mFix->editorOn("01");
        activate(e.get());
        MapCanvas* canvas = canvasOf(e.get());
        canvas->setFocus();
        for (auto [key, tool, mode] :
             {std::tuple{Qt::Key_R, PaintTools::Rectangle, MapEditor::Drawing},
              {Qt::Key_F, PaintTools::Fill, MapEditor::Drawing},
              {Qt::Key_C, PaintTools::Fill, MapEditor::Collisions},
              {Qt::Key_E, PaintTools::Fill, MapEditor::Event},
              {Qt::Key_B, PaintTools::Pencil, MapEditor::Event},
              {Qt::Key_D, PaintTools::Pencil, MapEditor::Drawing}}) {
            QTest::keyClick(canvas, key);
            QCOMPARE(e->tools().current(), tool);
            QCOMPARE(e->mode(), mode);
        }

        const QColor withGrid = shownAt(e.get(), {14, 29}); // darker first pixel row
        QTest::keyClick(canvas, Qt::Key_G); // hides the grid
        QVERIFY(shownAt(e.get(), {14, 29}).lightness() > withGrid.lightness());
        pickerOf(e.get())->setValue(10);
        canvas->setFocus();
        QTest::keyClick(canvas, Qt::Key_Right);
        QTest::keyClick(canvas, Qt::Key_Down);
        QTest::keyClick(canvas, Qt::Key_Space);
        QCOMPARE(textOf(e.get(), "statusLine"),
                 QStringLiteral("Colonne : 1     Ligne : 2     Code : 9"));
        QCOMPARE(saved(e.get()), mapText(templateWith(2, 2, 1, "9")));
        QCOMPARE(e->document()->undoStack()->count(), 1);
    }

    // Over the map: the hero start, the cells with a script, the event cell being edited,
    // the collisions; the status line names the cell under the pointer.
    void canvasShowsWhatMatters() {
        QVERIFY(saveevent({"end"}, mProject + "/ev/map01/ev27"));
        QVERIFY(saveevent({"end"}, mProject + "/ev/map01/ev35"));
        QVERIFY(saveevent({}, mProject + "/ev/map01/ev28")); // no line: no mark
        auto e = mFix->editorOn("01");
        MapCanvas* canvas = canvasOf(e.get());
        const auto hover = [&](int row, int column) {
            QMouseEvent move(QEvent::MouseMove, centre(row, column),
                             canvas->mapToGlobal(centre(row, column)), Qt::NoButton, Qt::NoButton,
                             Qt::NoModifier);
            QApplication::sendEvent(canvas, &move);
            return textOf(e.get(), "statusLine");
        };
        QCOMPARE(hover(3, 5), QStringLiteral("Colonne : 5     Ligne : 3     Code : 8     "
                                             "Départ du héro     Evènement"));
        QCOMPARE(hover(4, 4), QStringLiteral("Colonne : 4     Ligne : 4     Code : 8     Collision"));
        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(canvas, &leave);
        QCOMPARE(textOf(e.get(), "statusLine"), QString());
        const auto isTile = [&](int row, int column, QPoint offset) {
            return nearColour(shownAt(e.get(), centre(row, column) + offset),
                              tileColour(1, (row + column) % 10 + 1));
        };
        // The hero start (5, 3), a round mark as the test hero picture is unreadable; scripts'
        // marks top right; the edited event cell outlined; a white X on a collision.
        QVERIFY(!isTile(3, 5, {0, 0}));
        play(e.get(), "Command9 @6,2");
        QVERIFY(isTile(3, 5, {0, 0}) && !isTile(6, 2, {0, 0}));
        QVERIFY(!isTile(2, 7, {9, -9}) && isTile(2, 8, {9, -9}));
        play(e.get(), "Option1_2 @4,10");
        QVERIFY(!isTile(4, 10, {-13, 0}));
        play(e.get(), "Command15 Command2"); // saved from the panel: marked at once
        QVERIFY(!isTile(4, 10, {9, -9}));
        const auto whiteIn = [&](QRect area) {
            const QImage img = canvas->grab().toImage().copy(area);
            int n = 0;
            for (int i = 0; i < img.width() * img.height(); ++i)
                n += nearColour(img.pixelColor(i % img.width(), i / img.width()), Qt::white);
            return n;
        };
        const QRect mark(453, 203, 20, 26); // cell (8, 17)
        clickOn(e.get(), "Option1_1");
        QCOMPARE(whiteIn(mark), 0);
        pressCell(e.get(), 8, 17);
        QVERIFY(whiteIn(mark.adjusted(5, 1, 0, 0)) > 10);
        pressCell(e.get(), 8, 17);
        QCOMPARE(whiteIn(mark), 0);
        QCOMPARE(e->document()->cells().maptiles[size_t(mapgrid::slot(8, 17))], QStringLiteral("5"));
    }

    // Ctrl with the wheel zooms: a press at 2x lands on the cell under it, tiles stay sharp.
    // Zooming in grows the window within the main window's area, 1x gives its place and size
    // back, and no new control covers one of the editor's own at any size.
    void zoomGrowsTheWindowAroundTheCanvas() {
        QMdiArea area;
        area.resize(1270, 935); // the main window's area on a 1280 x 1024 screen
        MapEditor* e = mFix->editorOn("01").release();
        QMdiSubWindow* sub = area.addSubWindow(e);
        area.show();
        QVERIFY(QTest::qWaitForWindowExposed(&area));
        sub->move(300, 10);
        const QRect first = sub->geometry();
        auto* view = e->findChild<CanvasView*>();
        noNewControlCovers(e);

        MapCanvas* canvas = canvasOf(e);
        QWheelEvent wheel(QPointF(40, 40), canvas->mapToGlobal(QPointF(40, 40)), QPoint(),
                          QPoint(0, 120), Qt::NoButton, Qt::ControlModifier, Qt::NoScrollPhase,
                          false);
        QApplication::sendEvent(canvas, &wheel);
        QCOMPARE(canvas->size(), QSize(962, 498));
        QVERIFY(view->viewport()->width() >= 962 && view->viewport()->height() >= 498);
        noNewControlCovers(e);
        pickerOf(e)->setValue(10);
        QTest::mouseClick(canvas, Qt::LeftButton, {}, centre(2, 4, 2));
        QCOMPARE(e->document()->cells().maptiles[size_t(mapgrid::slot(2, 4))], QStringLiteral("9"));
        // Cell (1, 2) at 2x: pixels 56 to 111 across; its neighbour starts right after.
        for (auto [x, tile] : {std::pair{57, 4}, {110, 4}, {113, 5}})
            QVERIFY(nearColour(shownAt(e, {x, 20}), tileColour(1, tile)));
        view->zoomInAction()->trigger(); // 3x needs more room than there is: it scrolls
        QCOMPARE(sub->size(), sub->size().boundedTo(area.viewport()->size()));
        QVERIFY(view->horizontalScrollBar()->maximum() > 0);
        view->zoomResetAction()->trigger();
        QCOMPARE(sub->geometry(), first);
    }

private:
    void noNewControlCovers(MapEditor* e) {
        const QStringList own = QString("CarteImg Command4 Frame2 Frame6 Label6 Label4 Label5 "
                                        "Command9 text1 Frame5 Choixtext Image5 Option1_0 "
                                        "Option1_1 Option1_2 Command11 Command10 listev Command2 "
                                        "Command20 Command19 Label8 co ln").split(u' ');
        const auto place = [e](QWidget* w) { return QRect(w->mapTo(e, QPoint()), w->size()); };
        for (const QString& a : QStringList{"paintBar", "statusLine", "lineUp", "lineDown"}) {
            auto* newer = e->findChild<QWidget*>(a);
            QVERIFY2(newer && newer->isVisible(), qPrintable(a));
            for (const QString& o : own) {
                auto* older = e->findChild<QWidget*>(o);
                QVERIFY2(older, qPrintable(o));
                QVERIFY2(older->isAncestorOf(newer) || !older->isVisible() ||
                             !place(newer).intersects(place(older)),
                         qPrintable(a + " covers " + o));
            }
        }
    }
};

QTEST_MAIN(TestCanvasTools)
#include "test_canvastools.moc"
