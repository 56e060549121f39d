// The map editor's canvas driven by real mouse and key events: drags, rectangles and fills
// with the file bytes they save and one undo step each, the palette beside the tile picker,
// what the canvas shows over the map, the zoom, and the window growing around the canvas.

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
#include <QRadioButton>
#include <QScrollBar>
#include <QUndoStack>

namespace {

QPoint centre(int row, int column, int zoom = 1) {
    return QPoint((column - 1) * 28 + 14, (row - 1) * 29 + 14) * zoom;
}

// The map file a save writes: hero start "0503", the rows, the ninth row line, the last CR LF.
QString mapText(const QStringList& rows, const QString& ninth = QString()) {
    return "0503\r\n" + rows.join("\r\n") + "\r\n" + ninth + "\r\n\r\n";
}

QStringList templateRows() {
    QStringList rows;
    for (int r = 1; r <= 8; ++r)
        rows << templateMapRow(r);
    return rows;
}

} // namespace

class TestCanvasTools : public QObject {
    Q_OBJECT
    std::unique_ptr<EditorFixture> mFix;
    QString mProject;

    static QRadioButton* mode(QWidget* e, int k) {
        return e->findChild<QRadioButton*>("Option1_" + QString::number(k));
    }
    static QScrollBar* picker(QWidget* e) { return e->findChild<QScrollBar*>("Choixtext"); }
    static TilePalette* palette(QWidget* e) { return e->findChild<TilePalette*>("tilePalette"); }
    static QColor shown(QWidget* e, QPoint pixel) {
        return canvasOf(e)->grab().toImage().pixelColor(pixel);
    }
    static void drag(QWidget* e, const QList<QPoint>& cells,
                     Qt::MouseButton button = Qt::LeftButton, Qt::KeyboardModifiers keys = {},
                     int zoom = 1) {
        MapCanvas* canvas = canvasOf(e);
        QTest::mousePress(canvas, button, keys, centre(cells[0].x(), cells[0].y(), zoom));
        for (const QPoint& c : cells.mid(1))
            QTest::mouseMove(canvas, centre(c.x(), c.y(), zoom));
        QTest::mouseRelease(canvas, button, keys, centre(cells.last().x(), cells.last().y(), zoom));
    }
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

    // Whatever the button, a drag paints every cell it crosses, even those it skipped over.
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
        picker(e.get())->setValue(10); // code 9
        drag(e.get(), {{2, 1}, {2, 3}, {2, 5}}, Qt::MouseButton(button),
             Qt::KeyboardModifiers(keys));
        QStringList rows = templateRows();
        rows[1].replace(0, 5, "99999");
        QCOMPARE(saved(e.get()), mapText(rows));
        QCOMPARE(e->document()->undoStack()->count(), 1);
        QCOMPARE(e->document()->undoStack()->undoText(), QStringLiteral("Peindre"));
        QVERIFY(nearColour(shown(e.get(), centre(2, 3)), tileColour(1, 10)));
    }

    // A drag repaints the cells it changes and no other.
    void dragRepaintsOnlyChangedCells() {
        auto e = mFix->editorOn("01");
        picker(e.get())->setValue(10);
        MapRenderer& renderer = canvasOf(e.get())->renderer();
        const int before = renderer.cellsPainted();
        // Row 1 holds code 9 in column 8 already: 11 of the 12 crossed cells change.
        drag(e.get(), {{1, 1}, {1, 6}, {1, 12}});
        QCOMPARE(renderer.cellsPainted() - before, 11);
    }

    // Each gesture is one undo step and saves the expected bytes.
    void gesturesSaveTheirCells_data() {
        QTest::addColumn<QString>("steps"); // tool:row,col-row,col... separated by spaces
        QTest::addColumn<QStringList>("rows");
        QTest::addColumn<QString>("ninth");
        QStringList rect = templateRows();
        for (int r = 3; r <= 5; ++r)
            rect[r - 1].replace(5, 4, "9999");
        QTest::newRow("rectangle") << "R:3,9-5,6" << rect << "";
        QTest::newRow("rectangle dragged past the edge") << "R:7,16-7,20-8,17"
                                                          << [] {
                                                                 QStringList r = templateRows();
                                                                 r[6].replace(15, 2, "99");
                                                                 r[7].replace(15, 2, "99");
                                                                 return r;
                                                             }()
                                                          << "";
        QTest::newRow("fill of the whole map") << "reset F:4,4" << QStringList(8, QString(17, u'9'))
                                               << QString(17, u'0');
        QStringList halves(8, QString(8, u'2') + '9' + QString(8, u'0'));
        QTest::newRow("line then fill") << "reset B:1,9-8,9 F:5,1" << halves << QString(17, u'0');
    }
    void gesturesSaveTheirCells() {
        QFETCH(QString, steps);
        QFETCH(QStringList, rows);
        QFETCH(QString, ninth);
        auto e = mFix->editorOn("01");
        QUndoStack* undo = e->document()->undoStack();
        for (const QString& step : steps.split(' ')) {
            const int before = undo->count();
            if (step == "reset") {
                mFix->app.dialogs.answers = {MsgAnswer::Yes};
                clickOn(e.get(), "Command10");
                continue;
            }
            const QString tool = step.section(':', 0, 0);
            e->tools().choose(tool == "R" ? PaintTools::Rectangle
                                          : tool == "F" ? PaintTools::Fill : PaintTools::Pencil);
            // The fill after a line paints tile 3 (code 2), everything else tile 10 (code 9).
            picker(e.get())->setValue(step.startsWith("F") && steps.contains("B") ? 3 : 10);
            QList<QPoint> cells;
            for (const QString& c : step.section(':', 1).split('-'))
                cells << QPoint(c.section(',', 0, 0).toInt(), c.section(',', 1).toInt());
            drag(e.get(), cells);
            QCOMPARE(undo->count(), before + 1);
        }
        QCOMPARE(saved(e.get()), mapText(rows, ninth));
    }

    // A double click is two presses: in collision mode the cell ends as it was. The window
    // system sends the second press before the double click, which is no third press.
    void doubleClickIsTwoPresses() {
        auto e = mFix->editorOn("01");
        mode(e.get(), MapEditor::Collisions)->setChecked(true);
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

    // A second button during a rectangle drops it; so does Escape.
    void rectangleIsDropped() {
        auto e = mFix->editorOn("01");
        activate(e.get());
        e->tools().choose(PaintTools::Rectangle);
        MapCanvas* canvas = canvasOf(e.get());
        const auto before = e->document()->cells();
        QTest::mousePress(canvas, Qt::LeftButton, {}, centre(1, 1));
        QTest::mouseMove(canvas, centre(3, 3));
        QTest::mousePress(canvas, Qt::RightButton, {}, centre(3, 3));
        QTest::mouseRelease(canvas, Qt::RightButton, {}, centre(3, 3));
        QTest::mouseRelease(canvas, Qt::LeftButton, {}, centre(3, 3));
        canvas->setFocus();
        QTest::mousePress(canvas, Qt::LeftButton, {}, centre(1, 1));
        QTest::mouseMove(canvas, centre(3, 3));
        QTest::keyClick(canvas, Qt::Key_Escape);
        QTest::mouseRelease(canvas, Qt::LeftButton, {}, centre(3, 3));
        QCOMPARE(e->document()->cells(), before);
        QCOMPARE(e->document()->undoStack()->count(), 0);
    }

    void paletteAndPickerStayInStep() {
        auto e = mFix->editorOn("01");
        TilePalette* p = palette(e.get());
        QCOMPARE(p->tileCount(), 10); // twelve tiles, ten that a map file can hold
        mode(e.get(), MapEditor::Event)->setChecked(true);
        QTest::mouseClick(p, Qt::LeftButton, {}, p->tileRect(5).center());
        QCOMPARE(picker(e.get())->value(), 5);
        QVERIFY(mode(e.get(), MapEditor::Drawing)->isChecked()); // as moving the picker does
        picker(e.get())->setValue(8);
        QCOMPARE(p->tile(), 8);
        p->setFocus();
        QTest::keyClick(p, Qt::Key_3); // the code's digit
        QCOMPARE(picker(e.get())->value(), 4);
        QTest::keyClick(p, Qt::Key_End);
        QCOMPARE(picker(e.get())->value(), 10);
        // A set of four tiles: both come down to its last tile.
        clickOn(e.get(), "Command11");
        e->findChild<QScrollBar*>("HScroll2")->setValue(2);
        clickOn(e.get(), "Command14");
        QCOMPARE(p->tileCount(), 4);
        QCOMPARE(picker(e.get())->value(), 4);
        QCOMPARE(p->tile(), 4);
        pressCell(e.get(), 1, 1);
        QCOMPARE(e->document()->cells().maptiles[0], QStringLiteral("3"));
    }

    // Tools, modes, grid and zoom from the keyboard; the canvas painted with arrows and Space.
    void keyboardWorksTheEditor() {
        auto e = mFix->editorOn("01");
        activate(e.get());
        MapCanvas* canvas = canvasOf(e.get());
        canvas->setFocus();
        const struct {
            Qt::Key key;
            PaintTools::Kind tool;
        } tools[] = {{Qt::Key_R, PaintTools::Rectangle},
                     {Qt::Key_F, PaintTools::Fill},
                     {Qt::Key_B, PaintTools::Pencil}};
        for (const auto& t : tools) {
            QTest::keyClick(canvas, t.key);
            QCOMPARE(e->tools().current(), t.tool);
        }
        QTest::keyClick(canvas, Qt::Key_C);
        QCOMPARE(e->mode(), MapEditor::Collisions);
        QTest::keyClick(canvas, Qt::Key_E);
        QCOMPARE(e->mode(), MapEditor::Event);
        QTest::keyClick(canvas, Qt::Key_D);
        QCOMPARE(e->mode(), MapEditor::Drawing);

        // The grid darkens the first pixel row of a cell; G hides it.
        const QColor withGrid = shown(e.get(), {14, 29});
        QTest::keyClick(canvas, Qt::Key_G);
        QVERIFY(!canvas->gridShown());
        QVERIFY(shown(e.get(), {14, 29}).lightness() > withGrid.lightness());

        QTest::keyClick(canvas, Qt::Key_Plus, Qt::ControlModifier);
        QCOMPARE(canvas->zoom(), 2);
        QCOMPARE(canvas->size(), QSize(962, 498));
        QTest::keyClick(canvas, Qt::Key_Minus, Qt::ControlModifier);
        QCOMPARE(canvas->zoom(), 1);

        // Arrows move the outlined cell from the top left; Space paints it, Shift drags.
        picker(e.get())->setValue(10);
        canvas->setFocus();
        QTest::keyClick(canvas, Qt::Key_Right);
        QCOMPARE(canvas->pointerCell(), std::optional(mapgrid::Cell{1, 1}));
        QTest::keyClick(canvas, Qt::Key_Down);
        QTest::keyClick(canvas, Qt::Key_Space);
        // Shift held down over two arrows (QTest::keyClick would let go of it in between).
        const auto send = [canvas](QEvent::Type type, int key, Qt::KeyboardModifiers keys) {
            QKeyEvent event(type, key, keys);
            QApplication::sendEvent(canvas, &event);
        };
        send(QEvent::KeyPress, Qt::Key_Shift, Qt::ShiftModifier);
        for (int i = 0; i < 2; ++i) {
            send(QEvent::KeyPress, Qt::Key_Right, Qt::ShiftModifier);
            send(QEvent::KeyRelease, Qt::Key_Right, Qt::ShiftModifier);
        }
        send(QEvent::KeyRelease, Qt::Key_Shift, Qt::NoModifier);
        QCOMPARE(textOf(e.get(), "statusLine"),
                 QStringLiteral("Colonne : 3     Ligne : 2     Code : 9"));
        QStringList rows = templateRows();
        rows[1].replace(0, 3, "999");
        QCOMPARE(saved(e.get()), mapText(rows));
        QCOMPARE(e->document()->undoStack()->count(), 2);
        QVERIFY(mFix->app.dialogs.shown.isEmpty());
    }

    // Ctrl with the wheel zooms; a press at 2x lands on the cell shown under it, and the
    // tiles stay sharp.
    void zoomedCanvasMapsPressesToCells() {
        auto e = mFix->editorOn("01");
        MapCanvas* canvas = canvasOf(e.get());
        QWheelEvent wheel(QPointF(40, 40), canvas->mapToGlobal(QPointF(40, 40)), QPoint(),
                          QPoint(0, 120), Qt::NoButton, Qt::ControlModifier, Qt::NoScrollPhase,
                          false);
        QApplication::sendEvent(canvas, &wheel);
        QCOMPARE(canvas->zoom(), 2);
        picker(e.get())->setValue(10);
        QTest::mouseClick(canvas, Qt::LeftButton, {}, centre(2, 4, 2));
        QCOMPARE(e->document()->cells().maptiles[size_t(mapgrid::slot(2, 4))], QStringLiteral("9"));
        // Cell (1, 2) at 2x: pixels 56 to 111 across; its neighbours start right after.
        QVERIFY(nearColour(shown(e.get(), {57, 20}), tileColour(1, 4)));
        QVERIFY(nearColour(shown(e.get(), {110, 20}), tileColour(1, 4)));
        QVERIFY(nearColour(shown(e.get(), {113, 20}), tileColour(1, 5)));
    }

    // Over the map: the hero start, the cells with a script, the event cell being edited.
    void canvasShowsWhatMatters() {
        QVERIFY(saveevent({"end"}, mProject + "/ev/map01/ev27"));
        QVERIFY(saveevent({}, mProject + "/ev/map01/ev28")); // no line: no mark
        auto e = mFix->editorOn("01");
        const auto isTile = [&](int row, int column, QPoint offset) {
            return nearColour(shown(e.get(), centre(row, column) + offset),
                              tileColour(1, (row + column) % 10 + 1));
        };
        // The hero start (5, 3): the test data's hero picture is unreadable, so a round mark.
        QVERIFY(!isTile(3, 5, {0, 0}));
        clickOn(e.get(), "Command9");
        pressCell(e.get(), 6, 2);
        QVERIFY(isTile(3, 5, {0, 0}));
        QVERIFY(!isTile(6, 2, {0, 0}));
        // A script's mark in the top right corner of its cell.
        QVERIFY(!isTile(2, 7, {9, -9}));
        QVERIFY(isTile(2, 8, {9, -9}));
        // The event cell being edited is outlined; choosing another moves the outline.
        mode(e.get(), MapEditor::Event)->setChecked(true);
        pressCell(e.get(), 4, 10);
        QVERIFY(!isTile(4, 10, {-13, 0}));
        pressCell(e.get(), 4, 12);
        QVERIFY(isTile(4, 10, {-13, 0}));
        // A script saved from the panel shows its mark at once.
        clickOn(e.get(), "Command15");
        clickOn(e.get(), "Command2");
        QVERIFY(!isTile(4, 12, {9, -9}));
    }

    void statusLineNamesTheCellUnderThePointer() {
        QVERIFY(saveevent({"end"}, mProject + "/ev/map01/ev35"));
        auto e = mFix->editorOn("01");
        MapCanvas* canvas = canvasOf(e.get());
        const auto hover = [&](int row, int column) {
            QMouseEvent move(QEvent::MouseMove, centre(row, column),
                             canvas->mapToGlobal(centre(row, column)), Qt::NoButton, Qt::NoButton,
                             Qt::NoModifier);
            QApplication::sendEvent(canvas, &move);
            return textOf(e.get(), "statusLine");
        };
        QCOMPARE(hover(2, 12), QStringLiteral("Colonne : 12     Ligne : 2     Code : 4"));
        QCOMPARE(hover(3, 5), QStringLiteral("Colonne : 5     Ligne : 3     Code : 8     "
                                             "Départ du héro     Evènement"));
        QCOMPARE(hover(4, 4),
                 QStringLiteral("Colonne : 4     Ligne : 4     Code : 8     Collision"));
        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(canvas, &leave);
        QCOMPARE(textOf(e.get(), "statusLine"), QString());
    }

    // The window grows and the canvas with it; zooming in makes the window as large as the
    // enlarged map needs, within the main window, and 1x gives it its place and size back. No
    // new control covers a control of the editor's own at any size.
    void windowGrowsAroundTheCanvas() {
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

        view->zoomInAction()->trigger();
        QCOMPARE(canvasOf(e)->size(), QSize(962, 498));
        QVERIFY(view->viewport()->width() >= 962 && view->viewport()->height() >= 498);
        noNewControlCovers(e);
        view->zoomInAction()->trigger(); // 3x needs more room than there is: it scrolls
        QCOMPARE(sub->size(), sub->size().boundedTo(area.viewport()->size()));
        QVERIFY(view->horizontalScrollBar()->maximum() > 0);
        view->zoomResetAction()->trigger();
        QCOMPARE(sub->geometry(), first);

        // Maximised, the window shows the map as large as it holds, and 1x when it is
        // back to its size.
        sub->showMaximized();
        QTRY_COMPARE(canvasOf(e)->zoom(), 2);
        sub->showNormal();
        QTRY_COMPARE(canvasOf(e)->zoom(), 1);
        sub->showMaximized();
        QTRY_COMPARE(canvasOf(e)->zoom(), 2);
        // The frames that open over the canvas stay at its right edge, by the column.
        clickOn(e, "Command4");
        const QRect menu = e->findChild<QWidget*>("Frame3")->geometry();
        QCOMPARE(menu.right() + 1, view->geometry().right() + 1);
        noNewControlCovers(e);
    }

private:
    // The controls the editor had before the tools came, and those that came with them.
    void noNewControlCovers(MapEditor* e) {
        const QStringList own = {"CarteImg", "Command4", "Frame2", "Frame6", "Label6", "Label4",
                                 "Label5", "Command9", "text1", "Frame5", "Choixtext", "Image5",
                                 "Option1_0", "Option1_1", "Option1_2", "Command11", "Command10",
                                 "listev", "Command2", "Command20", "Command19", "Label8", "co",
                                 "ln"};
        const QStringList added = {"paintBar", "statusLine", "lineUp", "lineDown"};
        for (const QString& a : added) {
            auto* newer = e->findChild<QWidget*>(a);
            QVERIFY2(newer && newer->isVisible(), qPrintable(a));
            const QRect at(newer->mapTo(e, QPoint()), newer->size());
            for (const QString& o : own) {
                auto* older = e->findChild<QWidget*>(o);
                QVERIFY2(older, qPrintable(o));
                if (older->isAncestorOf(newer) || !older->isVisible())
                    continue;
                const QRect there(older->mapTo(e, QPoint()), older->size());
                QVERIFY2(!at.intersects(there), qPrintable(a + " covers " + o));
            }
        }
    }
};

QTEST_MAIN(TestCanvasTools)
#include "test_canvastools.moc"
