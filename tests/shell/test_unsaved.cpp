// Unsaved edits of maps and event scripts are never dropped without a question.
#include "events/eventeditor.h"
#include "events/scriptdocument.h"
#include "maps/mapdocument.h"
#include "maps/mapfiles.h"
#include "shellfixture.h"
#include "testsupport/tiles.h"

class TestUnsaved : public QObject, ShellFixture {
    Q_OBJECT
    QString mDir;

    static QString shownTitle(QWidget* w) {
        QString title = w->windowTitle();
        return title.replace(QStringLiteral("[*]"), w->isWindowModified() ? "*" : "");
    }
    void closeEditor(MapEditor* e) {
        frameOf(e)->close();
        settle();
    }
    // The first tile code of map 01's file: 2 as made, 8 once painted and saved.
    QChar firstCell() const { return readfile(mapFilePath(mDir, "01"))[6]; }
    QStringList questions() const {
        QStringList asked;
        for (const auto& s : mApp->dialogs.shown)
            if (s.buttons == MsgButtons::YesNoCancel)
                asked << s.text;
        return asked;
    }

private slots:
    void init() {
        startMain();
        makeTextureSets(mApp->dir.path());
        mDir = openProject(2);
        settle();
        QVERIFY(editor());
        mApp->dialogs.shown.clear();
    }
    void cleanup() { mMain.reset(); }

    // Each way of leaving an unsaved paint asks once: "Annuler" keeps it, "Non" drops, "Oui" saves.
    void droppingMapEditsAsks_data() {
        QTest::addColumn<QString>("way");
        QTest::addColumn<MsgAnswer>("answer");
        for (const char* way : {"close", "load map 02", "new map", "open another project", "quit"})
            for (const auto& [name, answer] : {std::pair{"Annuler", MsgAnswer::Cancel}, {"Non", MsgAnswer::No},
                                               {"Oui", MsgAnswer::Yes}})
                QTest::addRow("%s, %s", way, name) << QString(way) << answer;
    }
    void droppingMapEditsAsks() {
        QFETCH(QString, way);
        QFETCH(MsgAnswer, answer);
        const QString other = makeProject(mApp->dir.path(), "Autre", 1);
        QPointer<MapEditor> e = editor();
        paint(e, 1, 1);
        mApp->dialogs.answers = {answer};
        if (way == "close") {
            closeEditor(e);
        } else if (way == "load map 02") {
            e->setMapNumber("02");
            e->loadmap();
        } else if (way == "new map") {
            click(e, "Command5");
        } else if (way == "open another project") {
            openFolder(other);
            settle();
        } else {
            trigger("Quit");
        }
        QCOMPARE(mApp->dialogs.shown.size(), 1);
        QCOMPARE(questions(), QStringList{way == "quit" ? "Enregistrer les modifications avant de quitter ?"
                                                             : "Enregistrer les modifications de la carte 01 ?"});
        QCOMPARE(firstCell(), answer == MsgAnswer::Yes ? u'8' : u'2');
        const bool kept = answer == MsgAnswer::Cancel;
        const QMap<QString, bool> wentOn{{"close", !editor()},
                                         {"load map 02", e && e->tag() == "02"},
                                         {"new map", e && e->tag() == "03"},
                                         {"open another project", mMain->session().name() == "Autre" && windowsNamed("mapeditor").size() == 1},
                                         {"quit", mQuits == 1}};
        QCOMPARE(wentOn[way], !kept);
        if (kept)
            QCOMPARE(shownTitle(editor()) + editor()->tag() + editor()->document()->cells().maptiles[0] +
                         readini("Jeu", "cartes", mDir + "/projet.ini"),
                     QStringLiteral("Editeur de carte*0182")); // still map 01, painted, and no map added
        if (way == "close" && !kept) { // read again from the file
            MapEditor* again = mMain->handOverMap(1);
            QCOMPARE(shownTitle(again) + again->document()->cells().maptiles[0], "Editeur de carte" + QString(firstCell()));
        }
    }

    void eventPanelAsksBeforeDroppingLines() {
        MapEditor* e = editor();
        setMode(e, MapEditor::Event);
        press(e, 3, 4);
        click(e, "Command15"); // "Fermer condition" appends "end"
        press(e, 5, 6);        // Annuler
        QCOMPARE(questions(), QStringList{"Enregistrer les modifications de l'évènement de la "
                                          "carte 01, ligne 3, colonne 4 ?"});
        QCOMPARE(QStringList({text(e, "ln") + text(e, "co"), shownTitle(e)}) + e->panelScript().lines(),
                 (QStringList{"34", "Editeur de carte*", "end"}));

        closeEditor(e); // Annuler on the script's question keeps the window
        QVERIFY(editor());
        mApp->dialogs.answers = {MsgAnswer::Yes};
        press(e, 5, 6);
        QCOMPARE(bytesOf(mDir + "/ev/map01/ev34"), QByteArray("\r\nend\r\n"));
        QCOMPARE(text(e, "ln") + text(e, "co"), QStringLiteral("56"));
    }

    // A double click opens the event editor on the cell; it asks before replacing unsaved lines.
    void eventEditorAsksBeforeReplacingLines() {
        MapEditor* e = editor();
        e->setMapNumber("02");
        e->loadmap();
        setMode(e, MapEditor::Event);
        auto* canvas = e->findChild<MapCanvas*>("CarteImg");
        QTest::mouseDClick(canvas, Qt::LeftButton, {}, QPoint(14, 14));
        auto* events = static_cast<EventEditor*>(child("eveditor"));
        QVERIFY(events);
        click(events, "Command15");
        click(events, "Command8"); // "Annuler" hides it and keeps the line
        const auto shown = [events] { return events->script().lines() + QStringList{text(events, "ln") + text(events, "co")}; };
        QTest::mouseDClick(canvas, Qt::LeftButton, {}, QPoint(42, 72)); // row 3, column 2: Annuler
        QCOMPARE(shown(), (QStringList{"-- Evenements :", "end", "11"}));
        mApp->dialogs.answers = {MsgAnswer::No};
        QTest::mouseDClick(canvas, Qt::LeftButton, {}, QPoint(42, 72));
        QCOMPARE(shown(), (QStringList{"-- Evenements :", "32"}));
        QVERIFY(!QFileInfo::exists(mDir + "/ev/map02/ev11"));
        QCOMPARE(questions().size(), 2);
        auto* panelLines = e->findChild<QListWidget*>("listev");
        QCOMPARE(panelLines->count(), 0);
        click(events, "Command15");
        click(events, "Command7"); // "OK" writes the cell and refreshes the panel
        QVERIFY(!child("eveditor"));
        QCOMPARE(panelLines->count(), 2);
    }

    void testRunPlaysWhatIsOnScreen() {
        MapEditor* e = editor();
        paint(e, 1, 1);
        setMode(e, MapEditor::Event);
        press(e, 2, 3);
        mApp->dialogs.promptAnswers = {QStringLiteral("Bonjour")};
        click(e, "Command8"); // "Afficher du texte"
        click(panel(), "Command4");
        QVERIFY2(mApp->processes.started.size() == 1, qPrintable(mApp->messages().join('|')));
        QCOMPARE(firstCell(), u'8');
        QVERIFY(readfile(mDir + "/ev.lua").contains("colonne == 3 then\r\n    \r\naffichertexte(\"Bonjour\")\r\n"));
        QVERIFY(!e->hasUnsavedEdits());

        // A file that cannot be written stops the test run, naming it.
        paint(e, 1, 2);
        QFile::setPermissions(mapFilePath(mDir, "01"), QFile::ReadOwner);
        click(panel(), "Command4");
        QCOMPARE(mApp->processes.started.size(), 1);
        QVERIFY2(mApp->messages().last().contains(mapFilePath(mDir, "01")), qPrintable(mApp->messages().last()));
    }

    void oneEditorPerMapAndTwoViewsStayInStep() {
        auto* list = panel()->findChild<QListWidget*>("List1");
        for (int row : {0, 1}) { // map 01 is open already
            list->setCurrentRow(row);
            emit list->itemDoubleClicked(list->item(row));
            QCOMPARE(windowsNamed("mapeditor").size(), row + 1);
        }
        MapEditor *one = editor(0), *two = editor(1);
        two->setMapNumber("01");
        two->loadmap(); // the same map in both
        QCOMPARE(two->document(), one->document());
        paint(one, 1, 1);
        QCOMPARE(two->document()->cells().maptiles[0], QStringLiteral("8"));
        QCOMPARE(shownTitle(two), QStringLiteral("Editeur de carte*"));
        click(one, "Command9");
        press(one, 4, 9);
        QCOMPARE(text(two, "Label4") + '/' + text(two, "Label5"), QStringLiteral("9/4"));
        // Closing one of them asks nothing: the other still shows the edits.
        closeEditor(one);
        QVERIFY(questions().isEmpty() && windowsNamed("mapeditor").size() == 1 && editor()->document()->isModified());
    }
};

QTEST_MAIN(TestUnsaved)
#include "test_unsaved.moc"
