// The map editor window driven through its controls with scripted message boxes: loads and
// saves, "Nouvelle carte", the reset, the canvas in its modes, texture sets, the map chooser,
// the window's menu, and the event panel below the canvas.

#include "editorfixture.h"
#include "events/eventscript.h"
#include "events/scriptdocument.h"
#include "maps/mapdocument.h"
#include "maps/mapfiles.h"

#include <QAction>
#include <QComboBox>
#include <QFileInfo>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QSignalSpy>

#include <algorithm>

class TestMapEditor : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<EditorFixture> mFix;
    ScriptedDialogService* mDialogs = nullptr;
    QString mProject;

    QString ini() const { return mProject + "/projet.ini"; }
    QString script(const QString& map, const QString& cell) const {
        return mProject + "/ev/map" + map + "/ev" + cell;
    }
    static QRadioButton* mode(QWidget* e, int k) {
        return e->findChild<QRadioButton*>("Option1_" + QString::number(k));
    }
    std::unique_ptr<MapEditor> eventEditorOn(const QString& nn) {
        auto e = mFix->editorOn(nn);
        mode(e.get(), 2)->setChecked(true);
        return e;
    }
    // Colour of a canvas pixel, and the white pixels of a canvas area, as the window shows them.
    static QColor shown(QWidget* e, QPoint pixel) {
        return canvasOf(e)->grab().toImage().pixelColor(pixel);
    }
    static int whiteIn(QWidget* e, QRect area) {
        const QImage img = canvasOf(e)->grab().toImage().copy(area);
        int n = 0;
        for (int i = 0; i < img.width() * img.height(); ++i)
            n += nearColour(img.pixelColor(i % img.width(), i / img.width()), Qt::white);
        return n;
    }

private slots:
    void init() {
        mFix = std::make_unique<EditorFixture>();
        mDialogs = &mFix->app.dialogs;
        mProject = mFix->project;
    }
    void cleanup() { mFix.reset(); }

    // A map that cannot be read leaves the editor on its map, which saves as itself.
    void invalidMapChangesNothing() {
        auto e = mFix->editorOn("02");
        QCOMPARE(textOf(e.get(), "Label4") + textOf(e.get(), "Label5"), QStringLiteral("0503"));
        QCOMPARE(textOf(e.get(), "text1"), QStringLiteral("Carte 2"));
        const auto cells = e->document()->cells();
        e->setMapNumber("07");
        e->loadmap();
        QCOMPARE(mFix->app.messages(), QStringList{"Erreur : carte invalide"});
        QCOMPARE(mDialogs->shown[0].icon, MsgIcon::Critical);
        QCOMPARE(e->tag(), QStringLiteral("02"));
        QCOMPARE(textOf(e.get(), "Label1"), QStringLiteral("02"));
        QCOMPARE(textOf(e.get(), "Label4") + textOf(e.get(), "Label5"), QStringLiteral("0503"));
        QCOMPARE(e->document()->cells(), cells);
        clickOn(e.get(), "Command9");
        pressCell(e.get(), 4, 9);
        clickOn(e.get(), "Command7");
        QCOMPARE(mDialogs->shown.size(), 2);
        QVERIFY(readfile(mapFilePath(mProject, "02")).startsWith("0904"));
        QVERIFY(!QFileInfo::exists(mapFilePath(mProject, "07")));
        QVERIFY(!QFileInfo::exists(collisionFilePath(mProject, "07")));
    }

    // A load leaves no cell of the map shown before: saving writes back what the files held,
    // the ninth row included.
    void loadingKeepsNothingOfThePreviousMap() {
        auto e = mFix->editorOn("02");
        mDialogs->answers = {MsgAnswer::Yes, MsgAnswer::No};
        clickOn(e.get(), "Command10"); // all 201 cells "0", then not saved
        writefile(templateMap() + "\r\n", mapFilePath(mProject, "01")); // as saved: 9th row empty
        writefile(templateCollisions() + "\r\n", collisionFilePath(mProject, "01"));
        const QByteArray map01 = bytesOf(mapFilePath(mProject, "01"));
        const QByteArray ev01 = bytesOf(collisionFilePath(mProject, "01"));
        e->setMapNumber("01");
        e->loadmap();
        QCOMPARE(e->tag(), QStringLiteral("01"));
        clickOn(e.get(), "Command7");
        QCOMPARE(bytesOf(mapFilePath(mProject, "01")), map01);
        QCOMPARE(bytesOf(collisionFilePath(mProject, "01")), ev01);

        // A ninth row the file holds survives a load and a save.
        const QString nine = "0503\r\n" + templateMap().mid(6) + QString(17, u'4') + "\r\n\r\n";
        writefile(nine.chopped(2), mapFilePath(mProject, "02"));
        e->setMapNumber("02");
        e->loadmap();
        clickOn(e.get(), "Command7");
        QCOMPARE(readfile(mapFilePath(mProject, "02")), nine);
    }

    void twoEditorsSaveIntoTheirOwnFiles() {
        auto one = mFix->editorOn("01");
        auto two = mFix->editorOn("02");
        one->document()->changeCells({{0, CellChange::Tile, {}, "9"}}, "Peindre");
        two->document()->toggleCollision(1);
        clickOn(one.get(), "Command7");
        clickOn(two.get(), "Command7");
        QVERIFY(mDialogs->shown.isEmpty());
        QCOMPARE(readfile(mapFilePath(mProject, "01"))[6], u'9');
        QCOMPARE(readfile(mapFilePath(mProject, "02"))[6], u'2');
        QCOMPARE(readfile(collisionFilePath(mProject, "01"))[1], u'0');
        QCOMPARE(readfile(collisionFilePath(mProject, "02"))[1], u'1');
    }

    void failedSaveNamesTheFile() {
        auto e = mFix->editorOn("01");
        const QString ev = collisionFilePath(mProject, "01");
        const QByteArray before = bytesOf(ev);
        QFile::setPermissions(ev, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
        clickOn(e.get(), "Command7");
        QCOMPARE(mDialogs->shown.size(), 1);
        QVERIFY2(mDialogs->shown[0].text.contains(ev), qPrintable(mDialogs->shown[0].text));
        QCOMPARE(bytesOf(ev), before);
    }

    void resetAsksFirstAndRepaints() {
        auto e = mFix->editorOn("01");
        const auto cells = e->document()->cells().maptiles;
        clickOn(e.get(), "Command10"); // answered No
        QCOMPARE(mFix->app.messages(),
                 QStringList{"Êtes-vous sûr de vouloir remettre la carte à zéro ?"});
        QCOMPARE(mDialogs->shown[0].buttons, MsgButtons::YesNo);
        QCOMPARE(e->document()->cells().maptiles, cells);

        mDialogs->answers = {MsgAnswer::Yes};
        clickOn(e.get(), "Command10");
        const auto zero = [](const QString& s) { return s == "0"; };
        QVERIFY(std::ranges::all_of(e->document()->cells().maptiles, zero));
        QVERIFY(std::ranges::all_of(e->document()->cells().mapcoll, zero));
        QVERIFY(nearColour(shown(e.get(), {14, 14}), tileColour(1, 1)));
    }

    void pressInEachModeRepaints() {
        auto e = mFix->editorOn("01");
        // Row 1, column 2 holds code 3: tile 4 of set 01.
        QVERIFY(nearColour(shown(e.get(), {42, 14}), tileColour(1, 4)));
        auto* picker = e->findChild<QScrollBar*>("Choixtext");
        QCOMPARE(picker->maximum(), 10); // twelve tiles, one digit per cell in the file
        mode(e.get(), 1)->setChecked(true);
        picker->setValue(3); // moving the picker selects drawing
        QVERIFY(mode(e.get(), 0)->isChecked());
        pressCell(e.get(), 1, 2, Qt::RightButton);
        QCOMPARE(e->document()->cells().maptiles[mapgrid::slot(1, 2)], QStringLiteral("2"));
        QVERIFY(nearColour(shown(e.get(), {42, 14}), tileColour(1, 3)));

        mode(e.get(), 1)->setChecked(true);
        const QRect mark(453, 203, 20, 26);
        QCOMPARE(whiteIn(e.get(), mark), 0);
        pressCell(e.get(), 8, 17);
        QCOMPARE(e->document()->cells().mapcoll[mapgrid::slot(8, 17)], QStringLiteral("1"));
        QVERIFY(whiteIn(e.get(), mark.adjusted(5, 1, 0, 0)) > 10); // the X starts at (453, 203)
        pressCell(e.get(), 8, 17);
        QCOMPARE(e->document()->cells().mapcoll[mapgrid::slot(8, 17)], QStringLiteral("0"));
        QCOMPARE(whiteIn(e.get(), mark), 0);
        QCOMPARE(e->document()->cells().maptiles[mapgrid::slot(8, 17)], QStringLiteral("5"));
        QVERIFY(mDialogs->shown.isEmpty());
    }

    void heroStartPlacement() {
        auto e = mFix->editorOn("01");
        auto* command9 = e->findChild<QAbstractButton*>("Command9");
        mode(e.get(), 1)->setChecked(true);
        clickOn(e.get(), "Command9");
        QCOMPARE(mFix->app.messages(), QStringList{"Cliquez sur la case correspondante à la "
                                                   "position de départ du héro sur cette carte"});
        QCOMPARE(command9->property("Tag").toString(), QStringLiteral("True"));
        QTest::mouseClick(canvasOf(e.get()), Qt::LeftButton, {}, QPoint(478, 10)); // outside
        QCOMPARE(command9->property("Tag").toString(), QStringLiteral("True"));

        const auto flags = e->document()->cells().mapcoll;
        pressCell(e.get(), 4, 9);
        QCOMPARE(textOf(e.get(), "Label4") + '/' + textOf(e.get(), "Label5"), QStringLiteral("9/4"));
        QCOMPARE(command9->property("Tag").toString(), QStringLiteral("False"));
        QCOMPARE(e->document()->cells().mapcoll, flags);
        pressCell(e.get(), 4, 9);
        QCOMPARE(e->document()->cells().mapcoll[mapgrid::slot(4, 9)], QStringLiteral("1"));
    }

    void drawingBeforeAnyLoadIsIgnored() {
        MapEditor e(mFix->app.services, mFix->app.session);
        e.show();
        const QImage before = e.grab().toImage();
        pressCell(&e, 1, 1);
        QVERIFY(!e.document());
        QCOMPARE(e.grab().toImage(), before);
    }

    void textureChangeRepaints() {
        auto e = mFix->editorOn("01");
        clickOn(e.get(), "Command11");
        e->findChild<QScrollBar*>("HScroll2")->setValue(2);
        clickOn(e.get(), "Command14");
        QVERIFY(e->findChild<QWidget*>("Frame4")->isHidden());
        QVERIFY(nearColour(shown(e.get(), {42, 14}), tileColour(2, 4))); // code 3
        QCOMPARE(readini("Carte01", "texture", ini()), QStringLiteral("02"));
        QCOMPARE(bytesOf(mProject + "/images/map01/terrain.png"), QByteArray("sheet 2"));
        QCOMPARE(e->findChild<QScrollBar*>("Choixtext")->maximum(), 4);
        QVERIFY(mDialogs->shown.isEmpty());
    }

    void mapChooserLoadsMapTen() {
        makeProject(mFix->app.dir.path(), "Jeu", 10);
        auto e = mFix->editorOn("01");
        clickOn(e.get(), "Command4");
        clickOn(e.get(), "Command6");
        auto* scroll = e->findChild<QScrollBar*>("HScroll1");
        QCOMPARE(scroll->maximum(), 10);
        scroll->setValue(10);
        QCOMPARE(textOf(e.get(), "Label1"), QStringLiteral("10"));
        QCOMPARE(textOf(e.get(), "Label3"), QStringLiteral("Carte 10"));
        clickOn(e.get(), "Command1");
        QCOMPARE(e->tag(), QStringLiteral("10"));
        QCOMPARE(textOf(e.get(), "text1"), QStringLiteral("Carte 10"));
        QVERIFY(e->findChild<QWidget*>("Frame1")->isHidden());
    }

    void newMapFromFrameAndMenuThenExit() {
        QMdiArea area;
        MapEditor* e = mFix->editorOn("01").release();
        QPointer<QMdiSubWindow> sub = area.addSubWindow(e);
        sub->setAttribute(Qt::WA_DeleteOnClose);
        area.show();
        clickOn(e, "Command4"); // "Nouvelle carte" of the main menu frame
        clickOn(e, "Command5");
        QVERIFY(!e->findChild<QWidget*>("Frame3")->isVisibleTo(e));
        QCOMPARE(e->tag(), QStringLiteral("03"));
        QCOMPARE(textOf(e, "text1"), QStringLiteral("Carte 1"));
        e->findChild<QAction*>("newca")->trigger();
        QCOMPARE(e->tag(), QStringLiteral("04"));
        QCOMPARE(readini("Jeu", "cartes", ini()), QStringLiteral("04"));
        QVERIFY(mDialogs->shown.isEmpty());
        e->findChild<QAction*>("exit")->trigger();
        QTRY_VERIFY(!sub);
    }

    // The event panel.

    void eventCellIsChosenAndSaved() {
        QVERIFY(saveevent({"-- a"}, script("01", "312")));
        auto e = eventEditorOn("01");
        pressCell(e.get(), 3, 12);
        QCOMPARE(textOf(e.get(), "ln") + '/' + textOf(e.get(), "co"), QStringLiteral("3/12"));
        QCOMPARE(e->panelScript().lines(), QStringList{"-- a"});
        QCOMPARE(e->document()->cells().mapcoll[mapgrid::slot(3, 12)], QStringLiteral("0")); // no other effect
        clickOn(e.get(), "Command15");
        e->setMapNumber("02"); // the lines still belong to the cell of map 01
        e->loadmap();
        clickOn(e.get(), "Command2");
        QVERIFY(mDialogs->shown.isEmpty());
        QVERIFY(e->isVisible());
        QCOMPARE(bytesOf(script("01", "312")), QByteArray("\r\n-- a\r\nend\r\n"));
        QVERIFY(!QFileInfo::exists(script("02", "312")));
        pressCell(e.get(), 1, 1);
        QVERIFY(e->panelScript().lines().isEmpty());
    }

    void mapChangeLineWithChooserNotMoved() {
        auto e = eventEditorOn("02");
        clickOn(e.get(), "Command19");
        QVERIFY(e->findChild<QWidget*>("Frame9")->isVisible());
        QCOMPARE(textOf(e.get(), "Label12"), QStringLiteral("01"));
        QCOMPARE(textOf(e.get(), "Label14"), QStringLiteral("Carte 2"));
        clickOn(e.get(), "Command21");
        QCOMPARE(e->panelScript().lines(), QStringList{"runmap(\"01\")"});
    }

    void panelCommandAppendsItsLine_data() {
        // Steps apart by spaces: a button's name clicks it; "name=v" fills a field or picks
        // combo item v; "name#k" clicks item k of a list.
        QTest::addColumn<QString>("steps");
        QTest::addColumn<QString>("answer"); // to the prompt, if any
        QTest::addColumn<QString>("line");   // empty: none, and "Valeur incorrect !" is shown
        QTest::newRow("texte") << "Command8" << "Bonjour" << "affichertexte(\"Bonjour\")";
        QTest::newRow("pause") << "Command12" << "60" << "screen.waitVblankStart(60)";
        QTest::newRow("bad pause") << "Command12" << "abc" << "";
        QTest::newRow("variable") << "Command18 List1#1" << "non" << "var[2] = \"non\"";
        QTest::newRow("vie") << "Command17 Option1_4 Text2=3 Command22" << ""
                             << "hero.vie = hero.vie + 3";
        QTest::newRow("condition") << "Command13 Combo1=1 Combo2=1 Command3" << ""
                                   << "if var[2] ~= \"0\" then";
        QTest::newRow("fin") << "Command15" << "" << "end";
    }
    void panelCommandAppendsItsLine() {
        QFETCH(QString, steps);
        QFETCH(QString, answer);
        QFETCH(QString, line);
        writeini("Variables", "nombre", "2", ini());
        writeini("Variable2", "valeur", "oui", ini());
        auto e = eventEditorOn("01");
        pressCell(e.get(), 1, 1);
        mDialogs->promptAnswers = {answer};
        for (const QString& step : steps.split(' ')) {
            const QString name = step.section(QRegularExpression("[=#]"), 0, 0);
            const int value = step.section(QRegularExpression("[=#]"), 1).toInt();
            if (step.contains('#'))
                emit e->findChild<QListWidget*>(name)->itemClicked(
                    e->findChild<QListWidget*>(name)->item(value));
            else if (auto* combo = e->findChild<QComboBox*>(name))
                combo->setCurrentIndex(value);
            else if (step.contains('='))
                e->findChild<QLineEdit*>(name)->setText(QString::number(value));
            else
                clickOn(e.get(), name);
        }
        QCOMPARE(e->panelScript().lines(), line.isEmpty() ? QStringList() : QStringList{line});
        if (line.isEmpty())
            QCOMPARE(mDialogs->shown.last().text, QStringLiteral("Valeur incorrect !"));
    }

    // The panel's lines move and change as the event editor's do, and "Sauver" writes them.
    void panelLinesMoveAndChange() {
        QVERIFY(putFile(script("01", "23"), "\r\nrunmap(\"01\")\r\naffichertexte(\"a\")\r\n"));
        auto e = eventEditorOn("01");
        pressCell(e.get(), 2, 3);
        auto* list = e->findChild<QListWidget*>("listev");
        list->setCurrentRow(1);
        clickOn(e.get(), "lineUp");
        QCOMPARE(list->currentRow(), 0);
        const QPoint at = list->visualItemRect(list->item(1)).center();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
        QVERIFY(e->findChild<QWidget*>("Frame9")->isVisible());
        e->findChild<QScrollBar*>("HScroll3")->setValue(2);
        clickOn(e.get(), "Command21");
        clickOn(e.get(), "Command2");
        QCOMPARE(bytesOf(script("01", "23")),
                 QByteArray("\r\naffichertexte(\"a\")\r\nrunmap(\"02\")\r\n"));
        QVERIFY(mDialogs->shown.isEmpty());
    }

    void deleteModeAsksFirst() {
        auto e = eventEditorOn("01");
        pressCell(e.get(), 1, 1);
        for (int i = 0; i < 3; ++i)
            clickOn(e.get(), "Command15");
        auto* list = e->findChild<QListWidget*>("listev");
        clickOn(e.get(), "Command20");
        QVERIFY(e->findChild<QWidget*>("Frame11")->isVisible());
        mDialogs->answers = {MsgAnswer::No, MsgAnswer::Yes};
        emit list->itemClicked(list->item(0));
        QCOMPARE(list->count(), 3);
        emit list->itemClicked(list->item(0));
        QCOMPARE(list->count(), 2);
        QCOMPARE(mFix->app.messages(), (QStringList{"Êtes-vous sure ?", "Êtes-vous sure ?"}));
        QCOMPARE(mDialogs->shown[0].buttons, MsgButtons::YesNo);
    }

    void failedSauverNamesTheFile() {
        auto e = eventEditorOn("01");
        pressCell(e.get(), 1, 2);
        QDir().mkpath(script("01", "12")); // a folder where the file should go
        clickOn(e.get(), "Command2");
        QCOMPARE(mDialogs->shown.size(), 1);
        QVERIFY(mDialogs->shown[0].text.contains(QDir::toNativeSeparators(script("01", "12"))));
        QVERIFY(e->isVisible());
    }

    void badMapCountIsNotFatal_data() {
        QTest::addColumn<QString>("cartes");
        QTest::newRow("empty") << "";
        QTest::newRow("not a number") << "deux";
        QTest::newRow("zero") << "0";
    }
    void badMapCountIsNotFatal() {
        QFETCH(QString, cartes);
        auto e = eventEditorOn("01");
        writeini("Jeu", "cartes", cartes, ini());
        clickOn(e.get(), "Command19");
        QCOMPARE(mFix->app.messages(),
                 QStringList{"Erreur : Fichier projet.ini corrompus ou introuvable, veuillez "
                             "reporter ce bug sur quendal.example"});
        QCOMPARE(mDialogs->shown[0].title, QStringLiteral("Erreur"));
        QVERIFY(e->findChild<QWidget*>("Frame9")->isHidden());
        QVERIFY(e->isVisible());
    }

    void doubleClickAsksForTheEventEditor() {
        auto e = mFix->editorOn("02");
        QSignalSpy spy(e.get(), &MapEditor::eventEditorRequested);
        const QPoint cell(2 * 28 + 5, 1 * 29 + 5); // row 2, column 3
        QTest::mouseDClick(canvasOf(e.get()), Qt::LeftButton, {}, cell);
        QCOMPARE(spy.size(), 0); // drawing mode
        mode(e.get(), 2)->setChecked(true);
        QTest::mouseDClick(canvasOf(e.get()), Qt::LeftButton, {}, cell);
        QTest::mouseDClick(canvasOf(e.get()), Qt::LeftButton, {}, QPoint(478, 10));
        QCOMPARE(spy.size(), 1);
        QCOMPARE(spy[0], (QVariantList{"02", 2, 3}));
    }

    // Each kind of edit undone then redone saves the same bytes as the edit alone.
    void undoThenRedoSavesTheSameFiles_data() {
        QTest::addColumn<QString>("edit");
        for (const char* edit : {"paint", "collision", "hero start", "reset", "name",
                                 "texture set", "add line", "delete line"})
            QTest::newRow(edit) << QString(edit);
    }
    void undoThenRedoSavesTheSameFiles() {
        QFETCH(QString, edit);
        const QStringList files = {"map01.map", "map01.ev", "projet.ini", "ev/map01/ev23",
                                   "images/map01/terrain.png"};
        QVERIFY(putFile(script("01", "23"), "\r\naffichertexte(\"a\")\r\nend\r\n"));
        QHash<QString, QByteArray> original;
        for (const QString& f : files)
            original[f] = bytesOf(mProject + '/' + f);

        QHash<QString, QByteArray> saved[2];
        for (int withUndo : {0, 1}) {
            for (const QString& f : files)
                QVERIFY(putFile(mProject + '/' + f, original[f]));
            auto e = mFix->editorOn("01");
            editOnce(e.get(), edit);
            if (withUndo) {
                QVERIFY(e->findChild<QAction*>("undo")->isEnabled());
                e->findChild<QAction*>("undo")->trigger();
                e->findChild<QAction*>("redo")->trigger();
            }
            clickOn(e.get(), "Command7");
            clickOn(e.get(), "Command2");
            QVERIFY(!e->hasUnsavedEdits());
            for (const QString& f : files)
                saved[withUndo][f] = bytesOf(mProject + '/' + f);
        }
        QCOMPARE(saved[1], saved[0]);
        bool changed = false;
        for (const QString& f : files)
            changed = changed || saved[0][f] != original[f];
        QVERIFY2(changed, "the edit changed no file");
    }

private:
    void editOnce(MapEditor* e, const QString& edit) {
        mDialogs->answers = {MsgAnswer::Yes};
        if (edit == "paint") {
            e->findChild<QScrollBar*>("Choixtext")->setValue(9);
            pressCell(e, 1, 1);
        } else if (edit == "collision") {
            mode(e, 1)->setChecked(true);
            pressCell(e, 2, 2);
        } else if (edit == "hero start") {
            clickOn(e, "Command9");
            pressCell(e, 4, 9);
        } else if (edit == "reset") {
            clickOn(e, "Command10");
        } else if (edit == "name") {
            auto* name = e->findChild<QLineEdit*>("text1");
            name->setFocus();
            name->setText("Forêt");
            QTest::keyClick(name, Qt::Key_Return);
        } else if (edit == "texture set") {
            clickOn(e, "Command11");
            e->findChild<QScrollBar*>("HScroll2")->setValue(2);
            clickOn(e, "Command14");
        } else if (edit == "add line") {
            mode(e, 2)->setChecked(true);
            pressCell(e, 2, 3);
            clickOn(e, "Command15");
        } else if (edit == "delete line") {
            mode(e, 2)->setChecked(true);
            pressCell(e, 2, 3);
            clickOn(e, "Command20");
            auto* list = e->findChild<QListWidget*>("listev");
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                              list->visualItemRect(list->item(0)).center());
        }
    }
};

QTEST_MAIN(TestMapEditor)
#include "test_mapeditor.moc"
