// The map editor window driven through its controls: loads, saves, new maps, the reset, the
// frames, the canvas in its three modes, texture sets and the map chooser, with scripted
// message boxes.

#include "maps/mapeditor.h"
#include "maps/mapfiles.h"
#include "editorfixture.h"

#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTest>

class TestMapEditor : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<EditorFixture> mFix;
    TestApp* mApp = nullptr;
    QString mProject;

    MapEditor* editorOn(const QString& nn) { return mFix->editorOn(nn).release(); }
    static QString text(MapEditor* e, const char* name) { return textOf(e, name); }
    static void click(MapEditor* e, const char* name) { clickOn(e, name); }
    // Colour of the canvas pixel as the window shows it.
    static QColor shown(MapEditor* e, QPoint canvasPixel) {
        auto* canvas = canvasOf(e);
        return e->grab().toImage().pixelColor(canvas->mapTo(e, canvasPixel));
    }
    static int whiteIn(MapEditor* e, QRect canvasRect) {
        const QImage img = e->grab().toImage();
        const QPoint offset = canvasOf(e)->mapTo(e, QPoint(0, 0));
        int n = 0;
        for (int y = canvasRect.top(); y <= canvasRect.bottom(); ++y)
            for (int x = canvasRect.left(); x <= canvasRect.right(); ++x)
                if (QColor c = img.pixelColor(offset + QPoint(x, y));
                    c.red() > 200 && c.green() > 200 && c.blue() > 200)
                    ++n;
        return n;
    }
    static QRadioButton* mode(MapEditor* e, int k) {
        return e->findChild<QRadioButton*>("Option1_" + QString::number(k));
    }

private slots:
    void init() {
        mFix = std::make_unique<EditorFixture>();
        mApp = &mFix->app;
        mProject = mFix->project;
    }
    void cleanup() { mFix.reset(); }

    void controlsInPlace() {
        std::unique_ptr<MapEditor> e(editorOn("01"));
        QCOMPARE(e->windowTitle(), QStringLiteral("Editeur de carte"));
        QCOMPARE(e->findChild<QWidget*>("Frame3")->geometry(), QRect(320, 0, 161, 97));
        QCOMPARE(e->findChild<QWidget*>("Command4")->geometry(), QRect(480, 0, 161, 25));
        QCOMPARE(e->findChild<QWidget*>("Frame1")->geometry(), QRect(160, 40, 161, 57));
        QCOMPARE(e->findChild<QWidget*>("Frame2")->geometry().topLeft(), QPoint(488, 24));
        QCOMPARE(canvasOf(e.get())->geometry(), QRect(0, 0, 481, 249));
        QCOMPARE(e->findChild<QWidget*>("Frame6")->pos(), QPoint(0, 248));
        QCOMPARE(e->findChild<QWidget*>("Label1")->parentWidget()->objectName(), QStringLiteral("Frame1"));
        QCOMPARE(e->findChild<QWidget*>("Command10")->parentWidget()->objectName(), QStringLiteral("Frame2"));
        QVERIFY(!e->findChild<QWidget*>("HScroll1")->accessibleName().isEmpty());
        QVERIFY(!e->findChild<QWidget*>("listev")->accessibleName().isEmpty());
        // Nothing but the frames that open on demand may sit over the canvas area.
        QWidget* body = canvasOf(e.get())->parentWidget();
        const QStringList overCanvas = {"CarteImg", "Frame3", "Frame1", "Frame4"};
        for (QWidget* w : body->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            if (!overCanvas.contains(w->objectName()))
                QVERIFY2(!w->geometry().intersects(QRect(0, 0, 480, 248)), qPrintable(w->objectName()));
        // Beside the control panel on a 1280 x 1024 screen, every control of the panel shows.
        QVERIFY(e->width() <= 1280 - 240 && e->height() <= 1024 - 120);
        auto* frame6 = e->findChild<QWidget*>("Frame6");
        for (QWidget* w : frame6->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            QVERIFY2(frame6->rect().contains(w->geometry()), qPrintable(w->objectName()));
        QVERIFY(body->rect().contains(frame6->geometry()));
    }

    void loadShowsTheMap() {
        std::unique_ptr<MapEditor> e(editorOn("02"));
        QCOMPARE(e->tag(), QStringLiteral("02"));
        QCOMPARE(text(e.get(), "Label4"), QStringLiteral("05"));
        QCOMPARE(text(e.get(), "Label5"), QStringLiteral("03"));
        QCOMPARE(text(e.get(), "text1"), QStringLiteral("Carte 2"));
        QCOMPARE(e->state().maptiles[cellSlot(1, 1)], QStringLiteral("2"));
        QVERIFY(mApp->dialogs.shown.isEmpty());
    }

    void invalidMapKeepsCellsAndRefusesSave() {
        std::unique_ptr<MapEditor> e(editorOn("01"));
        const auto cells = e->state().maptiles;
        e->setMapNumber("07");
        e->loadmap();
        QCOMPARE(mApp->messages(), QStringList{"Erreur : carte invalide"});
        QCOMPARE(mApp->dialogs.shown[0].icon, MsgIcon::Critical);
        QCOMPARE(mApp->dialogs.shown[0].title, QStringLiteral("Quendal"));
        QCOMPARE(e->tag(), QStringLiteral("07"));
        QVERIFY(text(e.get(), "Label4").isEmpty() && text(e.get(), "Label5").isEmpty());
        QCOMPARE(e->state().maptiles, cells);

        click(e.get(), "Command7");
        QCOMPARE(mApp->dialogs.shown.size(), 2);
        QVERIFY(mApp->dialogs.shown[1].text.contains("07"));
        QVERIFY(!QFileInfo::exists(mapFilePath(mProject, "07")));
        QVERIFY(!QFileInfo::exists(collisionFilePath(mProject, "07")));
    }

    void twoEditorsSaveIntoTheirOwnFiles() {
        std::unique_ptr<MapEditor> one(editorOn("01"));
        std::unique_ptr<MapEditor> two(editorOn("02"));
        one->state().maptiles[0] = "9";
        two->state().mapcoll[0] = "1";
        click(one.get(), "Command7");
        click(two.get(), "Command7");
        QVERIFY(mApp->dialogs.shown.isEmpty());
        QCOMPARE(readfile(mapFilePath(mProject, "01")).mid(6, 1), QStringLiteral("9"));
        QCOMPARE(readfile(mapFilePath(mProject, "02")).mid(6, 1), QStringLiteral("2"));
        QCOMPARE(readfile(collisionFilePath(mProject, "02")).left(1), QStringLiteral("1"));
        QCOMPARE(readfile(collisionFilePath(mProject, "01")).left(1), QStringLiteral("1"));
        QCOMPARE(readfile(collisionFilePath(mProject, "01")).mid(1, 1), QStringLiteral("0"));
    }

    void failedSaveSaysWhichFile() {
        std::unique_ptr<MapEditor> e(editorOn("01"));
        const QString ev = collisionFilePath(mProject, "01");
        QFile::setPermissions(ev, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
        click(e.get(), "Command7");
        QCOMPARE(mApp->dialogs.shown.size(), 1);
        QVERIFY(mApp->dialogs.shown[0].text.contains(ev));
        QCOMPARE(mApp->dialogs.shown[0].icon, MsgIcon::Critical);
        QCOMPARE(mApp->dialogs.shown[0].title, QStringLiteral("Quendal"));
    }

    void newMapIsAddedAndLoaded() {
        std::unique_ptr<MapEditor> e(editorOn("01"));
        click(e.get(), "Command4");
        QVERIFY(e->findChild<QGroupBox*>("Frame3")->isVisibleTo(e.get()));
        click(e.get(), "Command5");
        QVERIFY(!e->findChild<QGroupBox*>("Frame3")->isVisibleTo(e.get()));
        QVERIFY(mApp->dialogs.shown.isEmpty());
        QCOMPARE(e->tag(), QStringLiteral("03"));
        QCOMPARE(text(e.get(), "Label1"), QStringLiteral("03"));
        QCOMPARE(text(e.get(), "text1"), QStringLiteral("Carte 1"));
        QCOMPARE(readini("Jeu", "cartes", mProject + "/projet.ini"), QStringLiteral("03"));
    }

    void newMapRefusalIsShown() {
        std::unique_ptr<MapEditor> e(editorOn("01"));
        putFile(mProject + "/map03.ev", "mine");
        click(e.get(), "Command5");
        QCOMPARE(mApp->dialogs.shown.size(), 1);
        QVERIFY(mApp->dialogs.shown[0].text.contains("map03.ev"));
        QCOMPARE(e->tag(), QStringLiteral("01"));
        QCOMPARE(readini("Jeu", "cartes", mProject + "/projet.ini"), QStringLiteral("2"));
    }

    void resetAsksFirst() {
        std::unique_ptr<MapEditor> e(editorOn("01"));
        const auto cells = e->state().maptiles;
        click(e.get(), "Command10");
        QCOMPARE(mApp->messages(),
                 QStringList{QStringLiteral("Êtes-vous sûr de vouloir remettre la carte à zéro ?")});
        QCOMPARE(mApp->dialogs.shown[0].buttons, MsgButtons::YesNo);
        QCOMPARE(e->state().maptiles, cells);
        mApp->dialogs.answers = {MsgAnswer::Yes};
        click(e.get(), "Command10");
        for (int s = 0; s < MapSlots; ++s) {
            QCOMPARE(e->state().maptiles[s], QStringLiteral("0"));
            QCOMPARE(e->state().mapcoll[s], QStringLiteral("0"));
        }
        QCOMPARE(text(e.get(), "Label4"), QStringLiteral("05"));
    }

    void menuButtonsToggleTheirFrames() {
        std::unique_ptr<MapEditor> e(editorOn("01"));
        auto* frame3 = e->findChild<QGroupBox*>("Frame3");
        auto* frame1 = e->findChild<QGroupBox*>("Frame1");
        QVERIFY(!frame3->isVisibleTo(e.get()) && !frame1->isVisibleTo(e.get()));
        click(e.get(), "Command4");
        QVERIFY(frame3->isVisibleTo(e.get()));
        click(e.get(), "Command6");
        QVERIFY(frame1->isVisibleTo(e.get()));
        click(e.get(), "Command6");
        QVERIFY(!frame1->isVisibleTo(e.get()));
        click(e.get(), "Command4");
        QVERIFY(!frame3->isVisibleTo(e.get()));
    }

    void startupAddsAFirstMap() {
        writeini("Jeu", "cartes", "0", mProject + "/projet.ini");
        QFile::remove(mapFilePath(mProject, "01"));
        QFile::remove(collisionFilePath(mProject, "01"));
        std::unique_ptr<MapEditor> e(editorOn("01"));
        QCOMPARE(mApp->messages(),
                 QStringList{QStringLiteral(
                     "Il n'y a pas de carte , une nouvelle carte va être automatiquement créée")});
        QCOMPARE(readini("Jeu", "cartes", mProject + "/projet.ini"), QStringLiteral("01"));
        QCOMPARE(e->tag(), QStringLiteral("01"));
        QCOMPARE(e->state().maptiles[0], QStringLiteral("2"));
    }
    void pressInEachMode() {
        std::unique_ptr<MapEditor> e(editorOn("01"));
        auto* picker = e->findChild<QScrollBar*>("Choixtext");
        QCOMPARE(picker->maximum(), 10); // twelve tiles, one digit per cell in the file
        QVERIFY(mode(e.get(), 0)->isChecked());

        mode(e.get(), 1)->setChecked(true);
        picker->setValue(3); // moving the picker selects drawing
        QVERIFY(mode(e.get(), 0)->isChecked());
        pressCell(e.get(), 2, 5);
        QCOMPARE(e->state().maptiles[cellSlot(2, 5)], QStringLiteral("2"));
        picker->setValue(10);
        pressCell(e.get(), 8, 17, Qt::RightButton);
        QCOMPARE(e->state().maptiles[cellSlot(8, 17)], QStringLiteral("9"));

        mode(e.get(), 1)->setChecked(true);
        e->state().mapcoll[cellSlot(3, 3)] = QString();
        pressCell(e.get(), 3, 3);
        QCOMPARE(e->state().mapcoll[cellSlot(3, 3)], QStringLiteral("1"));
        pressCell(e.get(), 3, 3, Qt::MiddleButton);
        QCOMPARE(e->state().mapcoll[cellSlot(3, 3)], QStringLiteral("0"));
        QCOMPARE(e->state().maptiles[cellSlot(3, 3)], QStringLiteral("6"));

        // A click on the tile preview selects drawing as well.
        QTest::mouseClick(e->findChild<QWidget*>("Image5"), Qt::LeftButton);
        QVERIFY(mode(e.get(), 0)->isChecked());
        QVERIFY(mApp->dialogs.shown.isEmpty());
    }

    void heroStartPlacement() {
        std::unique_ptr<MapEditor> e(editorOn("01"));
        auto* command9 = e->findChild<QPushButton*>("Command9");
        QCOMPARE(command9->property("Tag").toString(), QStringLiteral("false"));
        mode(e.get(), 1)->setChecked(true);
        click(e.get(), "Command9");
        QCOMPARE(mApp->messages(), QStringList{QStringLiteral(
            "Cliquez sur la case correspondante à la position de départ du héro sur cette carte")});
        QCOMPARE(mApp->dialogs.shown[0].icon, MsgIcon::None);
        QCOMPARE(command9->property("Tag").toString(), QStringLiteral("True"));

        QTest::mouseClick(canvasOf(e.get()), Qt::LeftButton, {}, QPoint(478, 10));
        QCOMPARE(command9->property("Tag").toString(), QStringLiteral("True"));
        const auto flags = e->state().mapcoll;
        pressCell(e.get(), 4, 9);
        QCOMPARE(text(e.get(), "Label4"), QStringLiteral("9"));
        QCOMPARE(text(e.get(), "Label5"), QStringLiteral("4"));
        QCOMPARE(command9->property("Tag").toString(), QStringLiteral("False"));
        QCOMPARE(e->state().mapcoll, flags);
        pressCell(e.get(), 4, 9);
        QCOMPARE(e->state().mapcoll[cellSlot(4, 9)], QStringLiteral("1"));
        QCOMPARE(text(e.get(), "Label4"), QStringLiteral("9"));
    }

    void drawingBeforeAnyLoadIsIgnored() {
        MapEditor e(mApp->services, [] { return QStringLiteral("Jeu"); });
        e.show();
        const QImage before = e.grab().toImage();
        pressCell(&e, 1, 1);
        QVERIFY(e.state().maptiles[0].isEmpty());
        QCOMPARE(e.grab().toImage(), before);
    }

    void canvasShowsTilesAndMarks() {
        std::unique_ptr<MapEditor> e(editorOn("01"));
        // Row 1, column 2 holds code 3: tile 4 of set 01.
        QVERIFY(nearColour(shown(e.get(), {42, 14}), tileColour(1, 4)));
        const QRect mark(453, 203, 20, 26);
        QCOMPARE(whiteIn(e.get(), mark), 0);
        mode(e.get(), 1)->setChecked(true);
        pressCell(e.get(), 8, 17);
        QVERIFY(whiteIn(e.get(), mark) > 10);
        QVERIFY(whiteIn(e.get(), mark.adjusted(5, 1, 0, 0)) > 10); // the X starts at (453, 203)
        pressCell(e.get(), 8, 17);
        QCOMPARE(whiteIn(e.get(), mark), 0);
    }

    void resetAndTextureShowWithoutPress() {
        std::unique_ptr<MapEditor> e(editorOn("01"));
        // On opening, the previews show the map's set and the current tile.
        QVERIFY(!e->findChild<QLabel*>("Image1")->pixmap().isNull());
        QVERIFY(!e->findChild<QLabel*>("Image5")->pixmap().isNull());

        mApp->dialogs.answers = {MsgAnswer::Yes};
        click(e.get(), "Command10");
        QVERIFY(nearColour(shown(e.get(), {14, 14}), tileColour(1, 1)));

        click(e.get(), "Command11");
        auto* frame4 = e->findChild<QWidget*>("Frame4");
        QVERIFY(frame4->isVisible());
        e->findChild<QScrollBar*>("HScroll2")->setValue(2);
        click(e.get(), "Command14");
        QVERIFY(frame4->isHidden());
        QVERIFY(nearColour(shown(e.get(), {14, 14}), tileColour(2, 1)));
        QCOMPARE(readini("Carte01", "texture", mProject + "/projet.ini"), QStringLiteral("02"));
        QCOMPARE(bytesOf(mProject + "/images/map01/terrain.png"), QByteArray("sheet 2"));
        QCOMPARE(e->findChild<QScrollBar*>("Choixtext")->maximum(), 4);
        QVERIFY(mApp->dialogs.shown.size() == 1);
    }

    void mapChooserLoadsAnotherMap() {
        std::unique_ptr<MapEditor> e(editorOn("01"));
        click(e.get(), "Command4");
        click(e.get(), "Command6");
        auto* scroll = e->findChild<QScrollBar*>("HScroll1");
        QCOMPARE(scroll->minimum(), 1);
        QCOMPARE(scroll->maximum(), 2);
        scroll->setValue(2);
        QCOMPARE(text(e.get(), "Label1"), QStringLiteral("02"));
        QCOMPARE(text(e.get(), "Label3"), QStringLiteral("Carte 2"));
        QCOMPARE(e->tag(), QStringLiteral("01"));
        click(e.get(), "Command1");
        QCOMPARE(e->tag(), QStringLiteral("02"));
        QVERIFY(e->findChild<QWidget*>("Frame1")->isHidden());
        QVERIFY(e->findChild<QWidget*>("Frame3")->isHidden());
    }

    void ownMenu() {
        QMdiArea area;
        std::unique_ptr<MapEditor> owned(editorOn("01"));
        MapEditor* e = owned.release();
        QMdiSubWindow* sub = area.addSubWindow(e);
        sub->setAttribute(Qt::WA_DeleteOnClose);
        area.show();
        QCOMPARE(e->findChild<QMenu*>("fileMenu")->title(), QStringLiteral("&Fichier"));
        auto* newca = e->findChild<QAction*>("newca");
        QCOMPARE(newca->text(), QStringLiteral("Nouvelle Carte"));
        newca->trigger();
        QCOMPARE(e->tag(), QStringLiteral("03"));
        QPointer<QMdiSubWindow> watched(sub);
        e->findChild<QAction*>("exit")->trigger();
        QTRY_VERIFY(!watched);
    }
};

QTEST_MAIN(TestMapEditor)
#include "test_mapeditor.moc"
