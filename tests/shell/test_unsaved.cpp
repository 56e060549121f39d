// Every way of dropping unsaved edits of a map or an event script asks, "Annuler" keeps them;
// the test run plays what is on screen; two editors of one map stay in step.
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

    void closingAsks() {
        paint(editor(), 1, 1);
        QCOMPARE(shownTitle(editor()), QStringLiteral("Editeur de carte*"));
        closeEditor(editor()); // Annuler
        QCOMPARE(questions(), QStringList{"Enregistrer les modifications de la carte 01 ?"});
        QVERIFY(editor() && editor()->document()->isModified());

        mApp->dialogs.answers = {MsgAnswer::No};
        closeEditor(editor());
        QVERIFY(!editor());
        QCOMPARE(firstCell(), u'2');
        mMain->handOverMap(1); // read again from the file
        QCOMPARE(editor()->document()->cells().maptiles[0], QStringLiteral("2"));

        paint(editor(), 1, 1);
        mApp->dialogs.answers = {MsgAnswer::Yes};
        closeEditor(editor());
        QVERIFY(!editor());
        QCOMPARE(firstCell(), u'8');
        QCOMPARE(shownTitle(mMain->handOverMap(1)), QStringLiteral("Editeur de carte"));
    }

    void loadingAnotherMapAndNewMapAsk() {
        MapEditor* e = editor();
        paint(e, 1, 1);
        e->setMapNumber("02");
        e->loadmap(); // Annuler
        QCOMPARE(e->tag() + e->document()->cells().maptiles[0], QStringLiteral("018"));
        click(e, "Command5"); // "Nouvelle carte", Annuler: nothing added
        QCOMPARE(readini("Jeu", "cartes", mDir + "/projet.ini"), QStringLiteral("2"));
        QCOMPARE(questions().size(), 2);

        mApp->dialogs.answers = {MsgAnswer::No};
        e->setMapNumber("02");
        e->loadmap();
        QCOMPARE(e->tag(), QStringLiteral("02"));
        QCOMPARE(firstCell(), u'2');
    }

    void openingAnotherProjectAsks() {
        paint(editor(), 1, 1);
        const QString other = makeProject(mApp->dir.path(), "Autre", 1);
        openFolder(other); // Annuler
        QCOMPARE(mMain->session().name(), QStringLiteral("Mon jeu"));
        QVERIFY(editor() && editor()->document()->isModified());
        QCOMPARE(questions(), QStringList{"Enregistrer les modifications de la carte 01 ?"});

        mApp->dialogs.answers = {MsgAnswer::Yes};
        click(child("openp"), "Command1");
        settle();
        QCOMPARE(mMain->session().name(), QStringLiteral("Autre"));
        QCOMPARE(firstCell(), u'8');
        QCOMPARE(windowsNamed("mapeditor").size(), 1);
    }

    void quittingWithUnsavedEditsAsksOnce() {
        paint(editor(), 1, 1);
        trigger("Quit"); // Annuler
        QCOMPARE(questions(), QStringList{"Enregistrer les modifications avant de quitter ?"});
        QCOMPARE(mQuits, 0);
        mApp->dialogs.answers = {MsgAnswer::No};
        trigger("Quit");
        QVERIFY(mQuits == 1 && firstCell() == u'2');
        mApp->dialogs.answers = {MsgAnswer::Yes};
        trigger("Quit");
        QVERIFY(mQuits == 2 && firstCell() == u'8');
        QCOMPARE(mApp->dialogs.shown.size(), 3); // no other question
    }

    void eventPanelAsksBeforeDroppingLines() {
        MapEditor* e = editor();
        setMode(e, MapEditor::Event);
        press(e, 3, 4);
        click(e, "Command15"); // "Fermer condition" appends "end"
        press(e, 5, 6);        // Annuler
        QCOMPARE(questions(), QStringList{"Enregistrer les modifications de l'évènement de la "
                                          "carte 01, ligne 3, colonne 4 ?"});
        QCOMPARE(text(e, "ln") + text(e, "co"), QStringLiteral("34"));
        QCOMPARE(e->panelScript().lines(), QStringList{"end"});
        QCOMPARE(shownTitle(e), QStringLiteral("Editeur de carte*"));

        closeEditor(e); // Annuler on the script's question keeps the window
        QVERIFY(editor());
        mApp->dialogs.answers = {MsgAnswer::Yes};
        press(e, 5, 6);
        QCOMPARE(bytesOf(mDir + "/ev/map01/ev34"), QByteArray("\r\nend\r\n"));
        QCOMPARE(text(e, "ln") + text(e, "co"), QStringLiteral("56"));
    }

    void eventEditorAsksBeforeReplacingLines() {
        MapEditor* e = editor();
        setMode(e, MapEditor::Event);
        auto* canvas = e->findChild<MapCanvas*>("CarteImg");
        QTest::mouseDClick(canvas, Qt::LeftButton, {}, QPoint(14, 14));
        auto* events = static_cast<EventEditor*>(child("eveditor"));
        QVERIFY(events);
        click(events, "Command15");
        click(events, "Command8"); // "Annuler" hides it and keeps the line
        QTest::mouseDClick(canvas, Qt::LeftButton, {}, QPoint(42, 14)); // Annuler
        QCOMPARE(events->script().column(), 1);
        QCOMPARE(events->script().lines(), (QStringList{"-- Evenements :", "end"}));
        mApp->dialogs.answers = {MsgAnswer::No};
        QTest::mouseDClick(canvas, Qt::LeftButton, {}, QPoint(42, 14));
        QCOMPARE(events->script().column(), 2);
        QCOMPARE(events->script().lines(), QStringList{"-- Evenements :"});
        QVERIFY(!QFileInfo::exists(mDir + "/ev/map01/ev11"));
        QCOMPARE(questions().size(), 2);
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
        list->setCurrentRow(0);
        emit list->itemDoubleClicked(list->item(0));
        QCOMPARE(windowsNamed("mapeditor").size(), 1); // map 01 is open already
        list->setCurrentRow(1);
        emit list->itemDoubleClicked(list->item(1));
        QCOMPARE(windowsNamed("mapeditor").size(), 2);

        MapEditor* one = editor(0);
        MapEditor* two = editor(1);
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
        QVERIFY(questions().isEmpty());
        QCOMPARE(windowsNamed("mapeditor").size(), 1);
        QVERIFY(editor()->document()->isModified());
    }
};

QTEST_MAIN(TestUnsaved)
#include "test_unsaved.moc"
