// The map editor's event panel: choosing a cell in event mode, the event commands on its list,
// delete mode, "Sauver" and the double click that asks for the event editor.

#include "editorfixture.h"
#include "events/eventscript.h"

#include <QComboBox>
#include <QFileInfo>
#include <QListWidget>
#include <QRadioButton>
#include <QSignalSpy>

class TestMapEventPanel : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<EditorFixture> mFix;

    ScriptedDialogService& dialogs() { return mFix->app.dialogs; }
    QString script(const QString& map, const QString& cell) const {
        return mFix->project + "/ev/map" + map + "/ev" + cell;
    }
    std::unique_ptr<MapEditor> eventEditorOn(const QString& nn) {
        auto e = mFix->editorOn(nn);
        e->findChild<QRadioButton*>("Option1_2")->setChecked(true);
        return e;
    }
    static QListWidget* listev(MapEditor* e) { return e->findChild<QListWidget*>("listev"); }

private slots:
    void init() { mFix = std::make_unique<EditorFixture>(); }
    void cleanup() { mFix.reset(); }

    void choosingACellShowsItsScript() {
        QVERIFY(saveevent({"-- a", "end"}, script("01", "312")));
        auto e = eventEditorOn("01");
        pressCell(e.get(), 3, 12);
        QCOMPARE(textOf(e.get(), "ln"), QStringLiteral("3"));
        QCOMPARE(textOf(e.get(), "co"), QStringLiteral("12"));
        QCOMPARE(e->eventLines(), (QStringList{"-- a", "end"}));
        QCOMPARE(e->state().mapcoll[cellSlot(3, 12)], QStringLiteral("0")); // no other effect
        pressCell(e.get(), 1, 1);
        QVERIFY(e->eventLines().isEmpty());
        QVERIFY(dialogs().shown.isEmpty());
    }

    void mapChangeLine() {
        auto e = eventEditorOn("02");
        clickOn(e.get(), "Command19");
        auto* frame9 = e->findChild<QWidget*>("Frame9");
        QVERIFY(frame9->isVisible());
        QCOMPARE(textOf(e.get(), "Label14"), QStringLiteral("Carte 2"));
        QCOMPARE(textOf(e.get(), "Label12"), QStringLiteral("01"));
        clickOn(e.get(), "Command21");
        QCOMPARE(e->eventLines(), QStringList{QStringLiteral("runmap(\"01\")")});
        QVERIFY(frame9->isHidden());
        // One sub-panel at a time.
        clickOn(e.get(), "Command19");
        clickOn(e.get(), "Command18");
        QVERIFY(frame9->isHidden());
        QVERIFY(e->findChild<QWidget*>("Frame8")->isVisible());
    }

    void badMapCountIsNotFatal_data() {
        QTest::addColumn<QString>("cartes"); // "-" removes the key
        QTest::newRow("missing") << "-";
        QTest::newRow("empty") << "";
        QTest::newRow("not a number") << "deux";
        QTest::newRow("zero") << "0";
    }
    void badMapCountIsNotFatal() {
        QFETCH(QString, cartes);
        auto e = eventEditorOn("01");
        const QString ini = mFix->project + "/projet.ini";
        if (cartes == "-")
            putFile(ini, readfile(ini).replace("cartes=2", "").toLatin1());
        else
            writeini("Jeu", "cartes", cartes, ini);
        clickOn(e.get(), "Command19");
        QCOMPARE(dialogs().shown.size(), 1);
        const auto& shown = dialogs().shown[0];
        QCOMPARE(shown.text, QStringLiteral("Erreur : Fichier projet.ini corrompus ou introuvable, "
                                            "veuillez reporter ce bug sur quendal.example"));
        QCOMPARE(shown.title, QStringLiteral("Erreur"));
        QCOMPARE(shown.icon, MsgIcon::Critical);
        QVERIFY(e->findChild<QWidget*>("Frame9")->isHidden());
        QVERIFY(e->isVisible());
    }

    void sauverWritesAndKeepsTheWindow() {
        QVERIFY(saveevent({"-- a"}, script("01", "25")));
        auto e = eventEditorOn("01");
        // Nothing chosen yet: nothing written, the user is told why.
        clickOn(e.get(), "Command2");
        QCOMPARE(dialogs().shown.size(), 1);
        QVERIFY(!QFileInfo::exists(script("01", "00")));

        pressCell(e.get(), 2, 5);
        clickOn(e.get(), "Command15");
        // The chooser loads map 02: the lines still belong to the cell of map 01.
        e->setMapNumber("02");
        e->loadmap();
        clickOn(e.get(), "Command2");
        QCOMPARE(dialogs().shown.size(), 1);
        QCOMPARE(bytesOf(script("01", "25")), QByteArray("\r\n-- a\r\nend\r\n"));
        QVERIFY(!QFileInfo::exists(script("02", "25")));
        QVERIFY(e->isVisible());
        QCOMPARE(e->eventLines(), (QStringList{"-- a", "end"}));
    }

    void failedSauverNamesTheFile() {
        auto e = eventEditorOn("01");
        pressCell(e.get(), 1, 2);
        QDir().mkpath(script("01", "12")); // a folder where the file should go
        clickOn(e.get(), "Command2");
        QCOMPARE(dialogs().shown.size(), 1);
        QVERIFY(dialogs().shown[0].text.contains(QDir::toNativeSeparators(script("01", "12"))));
        QCOMPARE(dialogs().shown[0].icon, MsgIcon::Critical);
        QVERIFY(e->isVisible());
    }

    void everyCommandAppendsItsLine() {
        const QString ini = mFix->project + "/projet.ini";
        writeini("Variables", "nombre", "2", ini);
        writeini("Variable2", "valeur", "oui", ini);
        auto e = eventEditorOn("01");
        pressCell(e.get(), 1, 1);
        dialogs().promptAnswers = {QStringLiteral("Bonjour"), QStringLiteral("60"),
                                   QStringLiteral("abc"), QStringLiteral("non")};
        clickOn(e.get(), "Command8");
        clickOn(e.get(), "Command12");
        clickOn(e.get(), "Command12"); // "abc": "Valeur incorrect !" and no line
        clickOn(e.get(), "Command16"); // no action
        clickOn(e.get(), "Command18");
        auto* list1 = e->findChild<QListWidget*>("List1");
        QCOMPARE(list1->count(), 2);
        emit list1->itemClicked(list1->item(1));
        clickOn(e.get(), "Command17");
        clickOn(e.get(), "Option1_4"); // "Ajouter :"
        e->findChild<QLineEdit*>("Text2")->setText("3");
        clickOn(e.get(), "Command22");
        clickOn(e.get(), "Command13");
        e->findChild<QComboBox*>("Combo1")->setCurrentIndex(1);
        e->findChild<QComboBox*>("Combo2")->setCurrentIndex(1);
        clickOn(e.get(), "Command3");
        clickOn(e.get(), "Command15");
        QCOMPARE(e->eventLines(),
                 (QStringList{"affichertexte(\"Bonjour\")", "screen.waitVblankStart(60)",
                              "var[2] = \"non\"", "hero.vie = hero.vie + 3",
                              "if var[2] ~= \"0\" then", "end"}));
        QCOMPARE(dialogs().shown.size(), 5); // four prompts and one message
        QCOMPARE(dialogs().shown[3].text, QStringLiteral("Valeur incorrect !"));
    }

    void deleteMode() {
        auto e = eventEditorOn("01");
        pressCell(e.get(), 1, 1);
        for (int i = 0; i < 3; ++i)
            clickOn(e.get(), "Command15");
        QListWidget* list = listev(e.get());
        emit list->itemClicked(list->item(0)); // not in delete mode: nothing asked
        QVERIFY(dialogs().shown.isEmpty());

        clickOn(e.get(), "Command20");
        QVERIFY(e->deleteMode());
        QVERIFY(e->findChild<QWidget*>("Frame11")->isVisible());
        dialogs().answers = {MsgAnswer::No, MsgAnswer::Yes};
        emit list->itemClicked(list->item(0));
        QCOMPARE(list->count(), 3);
        emit list->itemClicked(list->item(0));
        QCOMPARE(list->count(), 2);
        QCOMPARE(mFix->app.messages(), (QStringList{"Êtes-vous sure ?", "Êtes-vous sure ?"}));
        QCOMPARE(dialogs().shown[0].buttons, MsgButtons::YesNo);

        clickOn(e.get(), "Command23");
        QVERIFY(!e->deleteMode());
        emit list->itemClicked(list->item(0));
        QCOMPARE(list->count(), 2);
        QCOMPARE(dialogs().shown.size(), 2);
    }

    void doubleClickAsksForTheEventEditor() {
        auto e = mFix->editorOn("02");
        QSignalSpy spy(e.get(), &MapEditor::eventEditorRequested);
        const QPoint cell(2 * 28 + 5, 1 * 29 + 5); // row 2, column 3
        QTest::mouseDClick(canvasOf(e.get()), Qt::LeftButton, {}, cell);
        QCOMPARE(spy.size(), 0); // drawing mode
        e->findChild<QRadioButton*>("Option1_2")->setChecked(true);
        QTest::mouseDClick(canvasOf(e.get()), Qt::LeftButton, {}, cell);
        QCOMPARE(spy.size(), 1);
        QCOMPARE(spy[0][0].toString(), QStringLiteral("02"));
        QCOMPARE(spy[0][1].toInt(), 2);
        QCOMPARE(spy[0][2].toInt(), 3);
        QCOMPARE(textOf(e.get(), "ln"), QStringLiteral("2"));
        QTest::mouseDClick(canvasOf(e.get()), Qt::LeftButton, {}, QPoint(478, 10));
        QCOMPARE(spy.size(), 1);
    }
};

QTEST_MAIN(TestMapEventPanel)
#include "test_mapeventpanel.moc"
