#pragma once

// A map editor on a test project with the texture sets of tiles.h, and ways to drive it.

#include "maps/mapcanvas.h"
#include "maps/mapeditor.h"
#include "testsupport/appfixture.h"
#include "testsupport/tiles.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTest>

#include <memory>

struct EditorFixture {
    TestApp app;
    QString project;

    explicit EditorFixture(int maps = 2) {
        makeTextureSets(app.dir.path());
        project = makeProject(app.dir.path(), QStringLiteral("Jeu"), maps);
        app.session.open(QStringLiteral("Jeu"));
    }

    // A shown editor with map nn loaded, as the main window hands maps over.
    std::unique_ptr<MapEditor> editorOn(const QString& nn) {
        auto e = std::make_unique<MapEditor>(app.services, app.session);
        e->startup();
        e->setMapNumber(nn);
        e->loadmap();
        e->show();
        return e;
    }
};

inline QString textOf(QWidget* w, const char* name) {
    if (auto* l = w->findChild<QLabel*>(QLatin1String(name)))
        return l->text();
    return w->findChild<QLineEdit*>(QLatin1String(name))->text();
}

inline void clickOn(QWidget* w, const QString& name) {
    auto* b = w->findChild<QAbstractButton*>(name);
    QVERIFY2(b, qPrintable(name));
    b->click();
}

inline MapCanvas* canvasOf(QWidget* w) { return w->findChild<MapCanvas*>("CarteImg"); }
inline QScrollBar* pickerOf(QWidget* w) { return w->findChild<QScrollBar*>("Choixtext"); }

// The centre of a cell on the canvas at the given zoom.
inline QPoint centre(int row, int column, int zoom = 1) {
    return QPoint((column - 1) * 28 + 14, (row - 1) * 29 + 14) * zoom;
}

// Presses on the first cell (row, column), moves through the others, lets go on the last.
inline void drag(QWidget* w, const QList<QPoint>& cells, Qt::MouseButton button = Qt::LeftButton,
                 Qt::KeyboardModifiers keys = {}) {
    QTest::mousePress(canvasOf(w), button, keys, centre(cells[0].x(), cells[0].y()));
    for (const QPoint& c : cells.mid(1))
        QTest::mouseMove(canvasOf(w), centre(c.x(), c.y()));
    QTest::mouseRelease(canvasOf(w), button, keys, centre(cells.last().x(), cells.last().y()));
}
inline void pressCell(QWidget* w, int row, int column) { drag(w, {{row, column}}); }

// A canvas pixel as the window shows it.
inline QColor shownAt(QWidget* w, QPoint pixel) {
    return canvasOf(w)->grab().toImage().pixelColor(pixel);
}

inline void clickRow(QListWidget* list, int row) {
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualItemRect(list->item(row)).center());
}

// Steps apart by spaces: a button's name clicks it (a mode's radio button too); "name=v"
// picks combo item v, moves a scroll bar to v or fills a field (Return ends the typing);
// "name#k" clicks row k of a list; "@r,c" presses the cell, "@r,c-r,c..." drags through cells.
inline void play(QWidget* w, const QString& steps) {
    for (const QString& step : steps.split(u' ', Qt::SkipEmptyParts)) {
        const QString name = step.section(QRegularExpression("[=#]"), 0, 0);
        const QString value = step.section(QRegularExpression("[=#]"), 1);
        if (step.startsWith(u'@')) {
            QList<QPoint> cells;
            for (const QString& c : step.mid(1).split(u'-'))
                cells << QPoint(c.section(u',', 0, 0).toInt(), c.section(u',', 1).toInt());
            drag(w, cells);
        } else if (step.contains(u'#'))
            clickRow(w->findChild<QListWidget*>(name), value.toInt());
        else if (auto* combo = w->findChild<QComboBox*>(name))
            combo->setCurrentIndex(value.toInt());
        else if (auto* scroll = w->findChild<QScrollBar*>(name))
            scroll->setValue(value.toInt());
        else if (auto* field = w->findChild<QLineEdit*>(name)) {
            field->setFocus();
            field->setText(value);
            QTest::keyClick(field, Qt::Key_Return);
        } else
            clickOn(w, name);
    }
}
