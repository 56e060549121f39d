#pragma once

// A map editor window on a project of the test application folder, with two texture sets of
// solid-coloured tiles: set 01 has 12 tiles, set 02 has 4 and its own tile sheet.

#include "maps/mapcanvas.h"
#include "maps/mapeditor.h"
#include "shell/appfixture.h"

#include <QAbstractButton>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <memory>

inline QColor tileColour(int set, int tile) {
    return QColor(set == 1 ? 40 : 220, 18 * tile, set == 1 ? 220 : 40);
}

inline bool nearColour(QColor a, QColor b) {
    return qAbs(a.red() - b.red()) < 12 && qAbs(a.green() - b.green()) < 12 &&
           qAbs(a.blue() - b.blue()) < 12;
}

inline void makeTextureSets(const QString& appDir) {
    for (int set : {1, 2}) {
        const int tiles = set == 1 ? 12 : 4;
        const QString folder =
            appDir + QStringLiteral("/data/images/terrains/terrain0") + QString::number(set);
        QDir().mkpath(folder);
        writefile(QStringLiteral("[texture]\r\nnbimg=") + QString::number(tiles),
                  folder + QStringLiteral("/texture.ini"));
        for (int k = 1; k <= tiles; ++k) {
            QImage img(28, 29, QImage::Format_RGB32);
            img.fill(tileColour(set, k));
            img.save(folder + QStringLiteral("/terrain0") + QString::number(k) +
                         QStringLiteral(".JPG"),
                     "JPG", 100);
        }
    }
    putFile(appDir + QStringLiteral("/data/images/terrains/terrain02/terrain01.png"), "sheet 2");
}

struct EditorFixture {
    TestApp app;
    QString name = QStringLiteral("Jeu");
    QString project;

    EditorFixture() {
        makeTextureSets(app.dir.path());
        project = makeProject(app.dir.path(), name, 2);
    }

    // A shown editor with map nn loaded, as the main window hands maps over.
    std::unique_ptr<MapEditor> editorOn(const QString& nn) {
        auto e = std::make_unique<MapEditor>(app.services, [this] { return name; });
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

inline void clickOn(QWidget* w, const char* name) {
    auto* b = w->findChild<QAbstractButton*>(QLatin1String(name));
    QVERIFY2(b, name);
    b->click();
}

inline MapCanvas* canvasOf(QWidget* w) { return w->findChild<MapCanvas*>("CarteImg"); }

// Press on the canvas at the centre of the cell.
inline void pressCell(QWidget* w, int row, int column, Qt::MouseButton button = Qt::LeftButton) {
    QTest::mouseClick(canvasOf(w), button, {}, QPoint((column - 1) * 28 + 14, (row - 1) * 29 + 14));
}
