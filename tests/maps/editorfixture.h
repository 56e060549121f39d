#pragma once

// A map editor window on a project of a test application folder with the texture sets of
// tiles.h.

#include "maps/mapcanvas.h"
#include "maps/mapeditor.h"
#include "testsupport/appfixture.h"
#include "testsupport/tiles.h"

#include <QAbstractButton>
#include <QLabel>
#include <QLineEdit>
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

// Press on the canvas at the centre of the cell.
inline void pressCell(QWidget* w, int row, int column, Qt::MouseButton button = Qt::LeftButton) {
    QTest::mouseClick(canvasOf(w), button, {}, QPoint((column - 1) * 28 + 14, (row - 1) * 29 + 14));
}
