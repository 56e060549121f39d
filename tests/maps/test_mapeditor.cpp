// The map editor window driven through its controls, with scripted message boxes.

#include "editorfixture.h"
#include "events/eventscript.h"
#include "events/scriptdocument.h"
#include "maps/mapdocument.h"
#include "maps/mapfiles.h"

#include <QAction>
#include <QFileInfo>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>

class TestMapEditor : public QObject {
    Q_OBJECT
    std::unique_ptr<EditorFixture> mFix;
    ScriptedDialogService* mDialogs = nullptr;
    QString mProject;

    QString ini() const { return mProject + "/projet.ini"; }
    QString script(const QString& map, const QString& cell) const {
        return mProject + "/ev/map" + map + "/ev" + cell;
    }
    std::unique_ptr<MapEditor> eventEditorOn(const QString& nn) {
        auto e = mFix->editorOn(nn);
        e->setMode(MapEditor::Event);
        return e;
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
        const auto cells = e->document()->cells();
        e->setMapNumber("07");
        e->loadmap();
        QCOMPARE(mFix->app.messages(), QStringList{"Erreur : carte invalide"});
        QCOMPARE(textOf(e.get(), "Label1"), QStringLiteral("02"));
        QCOMPARE(e->document()->cells(), cells);
        play(e.get(), "Command9 @4,9 Command7");
        QCOMPARE(mDialogs->shown.size(), 2); // the hero start's hint, no error
        QVERIFY(readfile(mapFilePath(mProject, "02")).startsWith("0904"));
        QVERIFY(!QFileInfo::exists(mapFilePath(mProject, "07")));
    }

    // A load leaves no cell of the map shown before: saving writes back what the files held.
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
    }

    void twoEditorsSaveIntoTheirOwnFiles() {
        auto one = mFix->editorOn("01"), two = mFix->editorOn("02");
        play(one.get(), "Choixtext=10 @1,1 Command7");
        play(two.get(), "Option1_1 @1,2 Command7");
        QCOMPARE(readfile(mapFilePath(mProject, "01"))[6], u'9');
        QCOMPARE(readfile(mapFilePath(mProject, "02"))[6], u'2');
        QCOMPARE(readfile(collisionFilePath(mProject, "01"))[1], u'0');
        QCOMPARE(readfile(collisionFilePath(mProject, "02"))[1], u'1');
    }

    // "Sauvegarder la carte" and the panel's "Sauver" name the file they could not write,
    // leave it as it was and keep the window open.
    void failedSavesNameTheFile_data() {
        QTest::addColumn<QString>("steps");
        QTest::addColumn<QString>("file");
        QTest::newRow("map") << "Command7" << "map01.ev";
        QTest::newRow("event panel") << "Option1_2 @1,2 Command2" << "ev/map01/ev12";
    }
    void failedSavesNameTheFile() {
        QFETCH(QString, steps);
        QFETCH(QString, file);
        const QString path = mProject + '/' + file;
        if (file.startsWith("ev/"))
            QDir().mkpath(path); // a folder where the file should go
        else
            QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
        const QByteArray before = bytesOf(path);
        auto e = mFix->editorOn("01");
        play(e.get(), steps);
        QCOMPARE(mDialogs->shown.size(), 1);
        QVERIFY2(mDialogs->shown[0].text.contains(QDir::toNativeSeparators(path)),
                 qPrintable(mDialogs->shown[0].text));
        QCOMPARE(bytesOf(path), before);
        QVERIFY(e->isVisible());
    }

    void resetAsksFirst() {
        auto e = mFix->editorOn("01");
        const auto cells = e->document()->cells();
        clickOn(e.get(), "Command10"); // answered No
        QCOMPARE(mFix->app.messages(),
                 QStringList{"Êtes-vous sûr de vouloir remettre la carte à zéro ?"});
        QCOMPARE(mDialogs->shown[0].buttons, MsgButtons::YesNo);
        QCOMPARE(e->document()->cells(), cells);
        mDialogs->answers = {MsgAnswer::Yes};
        clickOn(e.get(), "Command10");
        QVERIFY(nearColour(shownAt(e.get(), {42, 14}), tileColour(1, 1))); // all tiles "0"
    }

    // "Changer" waits for a press on a cell in any mode; it moves the hero start, nothing else.
    void heroStartPlacement() {
        auto e = mFix->editorOn("01");
        play(e.get(), "Option1_1 Command9");
        QCOMPARE(mFix->app.messages(), QStringList{"Cliquez sur la case correspondante à la "
                                                   "position de départ du héro sur cette carte"});
        QTest::mouseClick(canvasOf(e.get()), Qt::LeftButton, {}, QPoint(478, 10)); // outside
        const auto flags = e->document()->cells().mapcoll;
        pressCell(e.get(), 4, 9);
        QCOMPARE(textOf(e.get(), "Label4") + '/' + textOf(e.get(), "Label5"), QStringLiteral("9/4"));
        QCOMPARE(e->document()->cells().mapcoll, flags);
        pressCell(e.get(), 4, 9); // collision mode again
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

    // The chooser goes no further than the last map; "Nouvelle carte" of the frame and of the
    // menu each add a map and load it; "Quitter" closes the window.
    void mapFrameAndMenu() {
        makeProject(mFix->app.dir.path(), "Jeu", 10);
        QMdiArea area;
        MapEditor* e = mFix->editorOn("01").release();
        QPointer<QMdiSubWindow> sub = area.addSubWindow(e);
        sub->setAttribute(Qt::WA_DeleteOnClose);
        area.show();
        play(e, "Command4 Command6 HScroll1=11 Command1");
        QCOMPARE(e->tag(), QStringLiteral("10"));
        QCOMPARE(textOf(e, "text1"), QStringLiteral("Carte 10"));
        QVERIFY(e->findChild<QWidget*>("Frame1")->isHidden());
        play(e, "Command4 Command5");
        QCOMPARE(e->tag(), QStringLiteral("11"));
        e->findChild<QAction*>("newca")->trigger();
        QCOMPARE(e->tag(), QStringLiteral("12"));
        QCOMPARE(readini("Jeu", "cartes", ini()), QStringLiteral("12"));
        QVERIFY(mDialogs->shown.isEmpty());
        e->findChild<QAction*>("exit")->trigger();
        QTRY_VERIFY(!sub);
    }

    // The panel's lines belong to the cell chosen, even after another map is loaded.
    void eventCellIsChosenAndSaved() {
        QVERIFY(saveevent({"-- a"}, script("01", "312")));
        auto e = eventEditorOn("01");
        pressCell(e.get(), 3, 12);
        QCOMPARE(textOf(e.get(), "ln") + '/' + textOf(e.get(), "co"), QStringLiteral("3/12"));
        QCOMPARE(e->panelScript().lines(), QStringList{"-- a"});
        QCOMPARE(e->document()->cells().mapcoll[mapgrid::slot(3, 12)], QStringLiteral("0"));
        clickOn(e.get(), "Command15");
        e->setMapNumber("02");
        e->loadmap();
        clickOn(e.get(), "Command2");
        QVERIFY(mDialogs->shown.isEmpty());
        QVERIFY(e->isVisible());
        QCOMPARE(bytesOf(script("01", "312")), QByteArray("\r\n-- a\r\nend\r\n"));
        QVERIFY(!QFileInfo::exists(script("02", "312")));
        pressCell(e.get(), 1, 1);
        QVERIFY(e->panelScript().lines().isEmpty());
    }

    // Each button of the panel gives its command's line; the map chooser on map 02 reads "01"
    // until moved. Refused answers and delete mode are the event editor's test.
    void panelCommandAppendsItsLine_data() {
        QTest::addColumn<QString>("steps");
        QTest::addColumn<QString>("answer"); // to the prompt, if any
        QTest::addColumn<QString>("line");
        QTest::newRow("texte") << "Command8" << "Bonjour" << "affichertexte(\"Bonjour\")";
        QTest::newRow("map") << "Command19 Command21" << "" << "runmap(\"01\")";
        QTest::newRow("variable") << "Command18 List1#1" << "non" << "var[2] = \"non\"";
        QTest::newRow("vie") << "Command17 Option1_4 Text2=3" << ""
                             << "hero.vie = hero.vie + 3";
        QTest::newRow("condition") << "Command13 Combo1=1 Combo2=1 Command3" << ""
                                   << "if var[2] ~= \"0\" then";
    }
    void panelCommandAppendsItsLine() {
        QFETCH(QString, steps);
        QFETCH(QString, answer);
        QFETCH(QString, line);
        writeini("Variables", "nombre", "2", ini());
        writeini("Variable2", "valeur", "oui", ini());
        auto e = eventEditorOn("02");
        pressCell(e.get(), 1, 1);
        mDialogs->promptAnswers = {answer};
        play(e.get(), steps);
        QCOMPARE(e->panelScript().lines(), QStringList{line});
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
        play(e.get(), "HScroll3=2 Command21 Command2");
        QCOMPARE(bytesOf(script("01", "23")),
                 QByteArray("\r\naffichertexte(\"a\")\r\nrunmap(\"02\")\r\n"));
        QVERIFY(mDialogs->shown.isEmpty());
    }

    void badMapCountIsNotFatal() {
        auto e = eventEditorOn("01");
        writeini("Jeu", "cartes", "0", ini());
        clickOn(e.get(), "Command19");
        QCOMPARE(mFix->app.messages(),
                 QStringList{"Erreur : Fichier projet.ini corrompus ou introuvable, veuillez "
                             "reporter ce bug sur quendal.example"});
        QVERIFY(e->findChild<QWidget*>("Frame9")->isHidden());
    }

    // Each kind of edit undone then redone saves the same bytes as the edit alone.
    void undoThenRedoSavesTheSameFiles_data() {
        QTest::addColumn<QString>("edit");
        QTest::newRow("paint") << "Choixtext=9 @1,1";
        QTest::newRow("collision") << "Option1_1 @2,2";
        QTest::newRow("hero start") << "Command9 @4,9";
        QTest::newRow("reset") << "Command10";
        QTest::newRow("name") << "text1=Forêt";
        QTest::newRow("texture set") << "Command11 HScroll2=2 Command14";
        QTest::newRow("add line") << "Option1_2 @2,3 Command15";
        QTest::newRow("delete line") << "Option1_2 @2,3 Command20 listev#0";
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
            mDialogs->answers = {MsgAnswer::Yes};
            play(e.get(), edit);
            if (withUndo) {
                QVERIFY(e->findChild<QAction*>("undo")->isEnabled());
                e->findChild<QAction*>("undo")->trigger();
                e->findChild<QAction*>("redo")->trigger();
            }
            play(e.get(), "Command7 Command2");
            QVERIFY(!e->hasUnsavedEdits());
            for (const QString& f : files)
                saved[withUndo][f] = bytesOf(mProject + '/' + f);
        }
        QCOMPARE(saved[1], saved[0]);
        QVERIFY2(saved[0] != original, "the edit changed no file");
    }
};

QTEST_MAIN(TestMapEditor)
#include "test_mapeditor.moc"
