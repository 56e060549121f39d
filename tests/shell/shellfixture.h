#pragma once

// The main window on a test application folder, and the helpers tests drive it with.

#include "maps/mapcanvas.h"
#include "maps/mapeditor.h"
#include "shell/controlpanel.h"
#include "shell/folderlist.h"
#include "shell/mainwindow.h"
#include "testsupport/appfixture.h"

#include <QAction>
#include <QLabel>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTest>

#include <functional>

struct ShellFixture {
    std::unique_ptr<TestApp> mApp;
    std::unique_ptr<MainWindow> mMain;
    int mQuits = 0;

    // prepare, when given, changes the application folder before the main window is made.
    void startMain(const std::function<void(TestApp&)>& prepare = nullptr) {
        mApp = std::make_unique<TestApp>();
        if (prepare)
            prepare(*mApp);
        mQuits = 0;
        mMain = std::make_unique<MainWindow>(mApp->services, mApp->paths);
        mMain->setQuitAction([this] { ++mQuits; });
        mMain->start();
        QVERIFY(QTest::qWaitForWindowExposed(mMain.get()));
    }

    // Visible child windows whose widget bears the name.
    QList<QWidget*> windowsNamed(const QString& name) const {
        QList<QWidget*> found;
        for (QMdiSubWindow* sub : mMain->mdiArea()->subWindowList())
            if (sub->widget() && sub->widget()->objectName() == name && sub->isVisible())
                found << sub->widget();
        return found;
    }
    QWidget* child(const QString& name) const { return windowsNamed(name).value(0); }
    MapEditor* editor(int k = 0) const { return static_cast<MapEditor*>(windowsNamed("mapeditor").value(k)); }
    static QMdiSubWindow* frameOf(QWidget* window) {
        return qobject_cast<QMdiSubWindow*>(window->parentWidget());
    }
    static void click(QWidget* window, const char* button) {
        QVERIFY2(window->findChild<QPushButton*>(button), button);
        window->findChild<QPushButton*>(button)->click();
    }
    static QString text(QWidget* window, const char* name) {
        return window->findChild<QLabel*>(name)->text();
    }
    void trigger(const char* action) { mMain->findChild<QAction*>(action)->trigger(); }
    ControlPanel* panel() const { return mMain->controlPanel(); }
    QStringList mapList() const {
        QStringList names;
        auto* list = panel()->findChild<QListWidget*>("List1");
        for (int i = 0; i < list->count(); ++i)
            names << list->item(i)->text();
        return names;
    }
    void openFolder(const QString& folder) {
        trigger("loadp");
        child("openp")->findChild<FolderList*>("Dir1")->setCurrentFolder(folder);
        click(child("openp"), "Command1");
    }
    QString openProject(int maps, const QString& name = QStringLiteral("Mon jeu")) {
        const QString dir = makeProject(mApp->dir.path(), name, maps);
        openFolder(dir);
        return dir;
    }
    static void press(MapEditor* e, int row, int column) {
        QTest::mouseClick(e->findChild<MapCanvas*>("CarteImg"), Qt::LeftButton, {},
                          QPoint((column - 1) * 28 + 14, (row - 1) * 29 + 14));
    }
    static void setMode(MapEditor* e, int mode) {
        e->findChild<QRadioButton*>("Option1_" + QString::number(mode))->setChecked(true);
    }
    // Paints tile 9 (code 8) on the cell.
    static void paint(MapEditor* e, int row, int column) {
        e->findChild<QScrollBar*>("Choixtext")->setValue(9);
        setMode(e, MapEditor::Drawing);
        press(e, row, column);
    }
    // Runs the deletions a closed window asked for, as the event loop would.
    static void settle() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }
};
