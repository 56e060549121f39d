// The whole user interface on a temporary application folder: start-up, menus and shortcuts,
// project creation and opening, the control panel and the map hand-over.
#include "maps/mapeditor.h"
#include "project/module1.h"
#include "shellfixture.h"

#include <QAccessible>
#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QDir>
#include <QRadioButton>
#include <QAbstractItemView>
#include <QComboBox>
#include <QScrollBar>
#include <QSet>
#include <QLineEdit>
#include <QTest>

class TestShell : public QObject, ShellFixture {
    Q_OBJECT

private slots:
    void init() { startMain(); }
    void cleanup() { mMain.reset(); }

    void startShowsWelcomeAndMakesProjects() {
        QCOMPARE(mMain->windowTitle(), QStringLiteral("Quendal 3"));
        QCOMPARE(child("Acc")->windowTitle(), QStringLiteral("Bienvenu"));
        QVERIFY(QFileInfo(mApp->dir.path() + "/projets").isDir());
        QWidget* viewport = mMain->mdiArea()->viewport();
        QTest::mouseClick(viewport, Qt::LeftButton, {}, QPoint(viewport->width() - 5, viewport->height() - 5));
        QCOMPARE(mMain->windowTitle(), QStringLiteral("Quendal 3 - Par Tamsik"));
    }

    void quitAsksFirst() {
        trigger("Quit");
        QCOMPARE(mApp->messages(), QStringList{"Êtes-vous sure de vouloir quitter ?"});
        QCOMPARE(mApp->dialogs.shown[0].buttons, MsgButtons::YesNo);
        QCOMPARE(mQuits, 0);
        mApp->dialogs.answers = {MsgAnswer::Yes};
        trigger("Quit");
        QCOMPARE(mQuits, 1);
    }

    void shortcutsWork() {
        mMain->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(mMain.get()));
        QTest::keyClick(mMain.get(), Qt::Key_N, Qt::ControlModifier);
        QVERIFY(child("nouvprojet"));
        QTest::keyClick(mMain.get(), Qt::Key_L, Qt::ControlModifier);
        QVERIFY(child("openp"));
        QTest::keyClick(mMain.get(), Qt::Key_D, Qt::ControlModifier);
        QCOMPARE(mApp->documents.opened, QStringList{mApp->dir.path() + "/Doc/index.html"});
        QTest::keyClick(mMain.get(), Qt::Key_Q, Qt::ControlModifier);
        QCOMPARE(mApp->dialogs.shown.size(), 1);
    }

    void creationWithDefaultTexts() {
        click(child("Acc"), "Command1");
        click(child("nouvprojet"), "Command1");
        QVERIFY(mApp->dialogs.shown.isEmpty());
        QVERIFY(!child("nouvprojet"));
        QCOMPARE(text(panel(), "Label5"), QStringLiteral("Jeu sans nom"));
        QCOMPARE(text(panel(), "Label6"), QStringLiteral("Anonyme"));
        QCOMPARE(text(panel(), "Label7"), QStringLiteral("1"));
        QCOMPARE(text(panel(), "Label8"), QStringLiteral("0"));
        QCOMPARE(mapList(), QStringList{"Carte 1"});
        QCOMPARE(windowsNamed("mapeditor").size(), 1);
        QCOMPARE(static_cast<MapEditor*>(child("mapeditor"))->mapNumber(), QStringLiteral("01"));
    }

    void creationOfAnExistingName() {
        const QString dir = makeProject(mApp->dir.path(), "Jeu sans nom", 1);
        const QByteArray ini = bytesOf(dir + "/projet.ini");
        trigger("new");
        click(child("nouvprojet"), "Command1");
        QCOMPARE(mApp->messages(), QStringList{"Erreur , des données essentiels au fonctionnement du "
                                               "programme sont manquantes ou corrompus , veuillez "
                                               "réinstaller Quendal 3"});
        QVERIFY(child("nouvprojet"));
        QVERIFY(panel()->tag().isEmpty());
        QCOMPARE(bytesOf(dir + "/projet.ini"), ini);
    }

    void openingChecksTheFolder_data() {
        QTest::addColumn<QString>("folder"); // below the application folder
        QTest::addColumn<bool>("accepted");
        QTest::newRow("projects root") << "projets" << false;
        QTest::newRow("a project") << "projets/Mon jeu" << true;
        QTest::newRow("folder outside projets") << "ailleurs/Mon jeu" << false;
        QTest::newRow("no projet.ini") << "projets/vide" << false;
    }
    void openingChecksTheFolder() {
        QFETCH(QString, folder);
        QFETCH(bool, accepted);
        makeProject(mApp->dir.path(), "Mon jeu", 2);
        QVERIFY(copyTree(mApp->projectDir("Mon jeu"), mApp->dir.path() + "/ailleurs/Mon jeu"));
        QDir().mkpath(mApp->projectDir("vide"));
        openFolder(mApp->dir.path() + '/' + folder);
        QCOMPARE(mApp->messages(), accepted ? QStringList() : QStringList{"Erreur : Projet invalide !"});
        QCOMPARE(panel()->tag(), accepted ? QString("Mon jeu") : QString());
        QCOMPARE(windowsNamed("mapeditor").size(), accepted ? 1 : 0);
        if (accepted)
            QCOMPARE(mapList(), (QStringList{"Carte 1", "Carte 2"}));
    }

    void panelReportsMissingCombats() {
        const QString dir = makeProject(mApp->dir.path(), "Mon jeu", 2);
        QVERIFY(putFile(dir + "/projet.ini", bytesOf(dir + "/projet.ini").replace("combats=0\r\n", "")));
        openFolder(dir);
        QCOMPARE(mApp->dialogs.shown.size(), 1);
        QVERIFY(mApp->messages()[0].startsWith("Erreur : Une donnée de votre jeu n'a pu être chargée"));
        QCOMPARE(mapList(), (QStringList{"Carte 1", "Carte 2"}));
    }

    // Counts read from the file are capped before anything goes through them.
    void hugeCountsAreCapped() {
        const QString dir = makeProject(mApp->dir.path(), "Mon jeu", 1);
        QVERIFY(writeini("Jeu", "cartes", "2147483647", dir + "/projet.ini"));
        QVERIFY(writeini("Variables", "nombre", "2147483647", dir + "/projet.ini"));
        openFolder(dir);
        QCOMPARE(mapList().size(), 10000);
        click(panel(), "Command6");
        QCOMPARE(child("var")->findChild<QListWidget*>("List1")->count(), 10000);
        mApp->dialogs.shown.clear();
        click(child("var"), "Command1"); // refused before asking: 10,000 variables at most
        QCOMPARE(readini("Variables", "nombre", dir + "/projet.ini"), QStringLiteral("2147483647"));
        QCOMPARE(mApp->dialogs.shown.size(), 1);
        QVERIFY(mApp->messages().last().startsWith("Erreur : "));
    }

    void doubleClickHandsTheMapOver() {
        openProject(12);
        auto* list = panel()->findChild<QListWidget*>("List1");
        QStringList numbers;
        for (int row : {0, 9, 11}) {
            list->setCurrentRow(row);
            emit list->itemDoubleClicked(list->item(row));
            numbers << static_cast<MapEditor*>(windowsNamed("mapeditor").last())->mapNumber();
        }
        QCOMPARE(numbers, (QStringList{"01", "10", "12"}));
    }

    // Every showing of the variables editor lists the project's variables, the first one
    // included, so that a variable added from it takes the next number.
    void variablesEditorListsOnEveryShowing() {
        const QString dir = openProject(1);
        const QString ini = dir + "/projet.ini";
        QVERIFY(writeini("Variables", "nombre", "2", ini) && writeini("Variable1", "valeur", "cent", ini) &&
                writeini("Variable2", "valeur", "deux", ini));
        click(panel(), "Command6");
        QCOMPARE(child("var")->windowTitle(), QStringLiteral("Variables du jeu"));
        QCOMPARE(text(child("var"), "Label2"), QStringLiteral("2"));
        mApp->dialogs.promptAnswers = {QStringLiteral("nouveau")};
        click(child("var"), "Command1");
        QCOMPARE(readini("Variable1", "valeur", ini), QStringLiteral("cent"));
        QCOMPARE(readini("Variable3", "valeur", ini), QStringLiteral("nouveau"));
        QCOMPARE(readini("Variables", "nombre", ini), QStringLiteral("3"));

        // Closed, changed by hand, opened again: the new count shows.
        qobject_cast<QMdiSubWindow*>(child("var")->parentWidget())->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(writeini("Variables", "nombre", "1", ini));
        click(panel(), "Command6");
        QCOMPARE(text(child("var"), "Label2"), QStringLiteral("1"));
        QCOMPARE(child("var")->findChild<QListWidget*>("List1")->count(), 1);
    }

    void testButtonStartsThePlayerUnlessASyntaxError() {
        const QString dir = openProject(1);
        click(panel(), "Command4");
        QVERIFY2(mApp->dialogs.shown.isEmpty(), qPrintable(mApp->messages().join('|')));
        QCOMPARE(mApp->processes.started.size(), 1);
        QCOMPARE(mApp->processes.started[0].program, mApp->dir.path() + "/luaplayer");
        // Live, and recorded into the project's plays.
        const QStringList arguments = mApp->processes.started[0].arguments;
        QCOMPARE(arguments.first(), QStringLiteral("--live"));
        QCOMPARE(arguments.last(), QStringLiteral("index.lua"));
        QVERIFY(arguments.at(arguments.indexOf("--record") + 1).startsWith(dir + "/parties/"));
        QCOMPARE(mApp->processes.started[0].workingDirectory, mApp->dir.path());
        QVERIFY(writefile("\r\nif var[1] == \"0\" then", dir + "/ev/map01/ev23"));
        click(panel(), "Command4");
        QCOMPARE(mApp->processes.started.size(), 1);
        QCOMPARE(mApp->dialogs.shown.size(), 1);
        QVERIFY(mApp->messages()[0].contains("01"));
    }

    void doubleClickInEventModeOpensTheEventEditor() {
        const QString dir = makeProject(mApp->dir.path(), "Mon jeu", 2);
        QDir().mkpath(dir + "/ev/map02");
        writefile("\r\naffichertexte(\"Bonjour\")", dir + "/ev/map02/ev23");
        openFolder(dir);
        MapEditor* editor = mMain->handOverMap(2);
        auto* canvas = editor->findChild<QWidget*>("CarteImg");
        editor->findChild<QRadioButton*>("Option1_2")->setChecked(true);
        QTest::mouseDClick(canvas, Qt::LeftButton, {}, QPoint(2 * 28 + 5, 1 * 29 + 5));

        QWidget* eveditor = child("eveditor");
        QVERIFY(eveditor);
        QCOMPARE(text(eveditor, "ln"), QStringLiteral("2"));
        QCOMPARE(text(eveditor, "co"), QStringLiteral("3"));
        auto* lines = eveditor->findChild<QListWidget*>("text1");
        QCOMPARE(lines->count(), 1);
        QCOMPARE(lines->item(0)->text(), QStringLiteral("affichertexte(\"Bonjour\")"));

        // "OK" saves into map 02 and the map editor's panel shows the new script.
        click(eveditor, "Command15");
        click(eveditor, "Command7");
        QVERIFY(!child("eveditor"));
        QCOMPARE(readfile(dir + "/ev/map02/ev23"),
                 QStringLiteral("\r\naffichertexte(\"Bonjour\")\r\nend\r\n"));
        QCOMPARE(editor->findChild<QListWidget*>("listev")->count(), 2);

        // A cell without a script starts with the comment line.
        QTest::mouseDClick(canvas, Qt::LeftButton, {}, QPoint(5, 5));
        QCOMPARE(windowsNamed("eveditor").size(), 1);
        QCOMPARE(lines->count(), 1);
        QCOMPARE(lines->item(0)->text(), QStringLiteral("-- Evenements :"));
    }

    // A screen reader names every control that has no caption of its own: lists, scroll
    // bars, drop-down lists, and fields without a label pointing at them.
    void controlsWithoutCaptionHaveAccessibleNames() {
        trigger("new");
        trigger("loadp");
        openProject(2);
        click(panel(), "Command6");
        mMain->editEvent("01", 1, 1);
        mMain->sendtopsp();
        QSet<QWidget*> labelled;
        const auto all = mMain->findChildren<QWidget*>(); // sendtopsp included: its parent is the main window
        for (QWidget* w : all)
            if (auto* label = qobject_cast<QLabel*>(w); label && label->buddy())
                labelled.insert(label->buddy());
        QStringList unnamed;
        for (QWidget* w : all) {
            const bool needsName = qobject_cast<QAbstractItemView*>(w) ||
                                   qobject_cast<QScrollBar*>(w) || qobject_cast<QComboBox*>(w) ||
                                   qobject_cast<QLineEdit*>(w) || w->objectName() == "CarteImg";
            // Scroll bars that belong to a list or a scroll area are named by it.
            const bool partOfAnother = qobject_cast<QScrollBar*>(w) &&
                                       qobject_cast<QAbstractScrollArea*>(w->parentWidget()
                                                                              ? w->parentWidget()->parentWidget()
                                                                              : nullptr);
            const bool insideCombo = qobject_cast<QLineEdit*>(w) && qobject_cast<QComboBox*>(w->parentWidget());
            if (needsName && !partOfAnother && !insideCombo && w->accessibleName().isEmpty() &&
                !labelled.contains(w) && !w->objectName().startsWith("qt_"))
                unnamed << QString("%1 (%2 in %3)").arg(w->objectName(), w->metaObject()->className(),
                                                         w->window()->objectName());
        }
        QVERIFY2(unnamed.isEmpty(), qPrintable(unnamed.join(", ")));
    }

    // A label or a frame reads as the text it shows: a value label its current value, a frame
    // its own caption (not that of the frame around it).
    void labelsAndFramesReadAsTheyShow() {
        openProject(2);
        click(panel(), "Command6");
        mMain->editEvent("01", 1, 1);
        auto* editor = windowsNamed("mapeditor").value(0);
        QVERIFY(editor);
        editor->findChild<QWidget*>("Frame11")->show();
        QStringList wrong;
        for (QWidget* w : mMain->findChildren<QWidget*>()) {
            QString shown;
            if (auto* label = qobject_cast<QLabel*>(w); label && !label->text().isEmpty())
                shown = label->text(); // pictures have no text and keep a name of their own
            else if (auto* frame = qobject_cast<QGroupBox*>(w))
                shown = frame->title();
            else
                continue;
            const QString read = QAccessible::queryAccessibleInterface(w)->text(QAccessible::Name);
            if (read != shown)
                wrong << QString("%1 in %2 reads \"%3\" for \"%4\"")
                             .arg(w->objectName(), w->window()->objectName(), read, shown);
        }
        QVERIFY2(wrong.isEmpty(), qPrintable(wrong.join("\n")));
    }
};

QTEST_MAIN(TestShell)
#include "test_shell.moc"
