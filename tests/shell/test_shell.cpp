// The main window: start-up, shortcuts, project creation and opening, the control panel.
#include "shellfixture.h"

#include <QAccessible>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>

class TestShell : public QObject, ShellFixture {
    Q_OBJECT

private slots:
    void init() { startMain(); }
    void cleanup() { mMain.reset(); }

    void startShortcutsAndQuit() {
        QCOMPARE(mMain->windowTitle(), QStringLiteral("Quendal 3"));
        QVERIFY(QFileInfo(mApp->dir.path() + "/projets").isDir());
        QWidget* viewport = mMain->mdiArea()->viewport();
        QTest::mouseClick(viewport, Qt::LeftButton, {}, QPoint(viewport->width() - 5, viewport->height() - 5));
        QCOMPARE(mMain->windowTitle(), QStringLiteral("Quendal 3 - Par Tamsik"));

        // The shortcuts; quitting asks first.
        mMain->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(mMain.get()));
        QTest::keyClick(mMain.get(), Qt::Key_N, Qt::ControlModifier);
        QVERIFY(child("nouvprojet"));
        QTest::keyClick(mMain.get(), Qt::Key_L, Qt::ControlModifier);
        QVERIFY(child("openp"));
        QTest::keyClick(mMain.get(), Qt::Key_D, Qt::ControlModifier);
        QCOMPARE(mApp->documents.opened, QStringList{mApp->dir.path() + "/Doc/index.html"});
        QTest::keyClick(mMain.get(), Qt::Key_Q, Qt::ControlModifier);
        QCOMPARE(mApp->messages(), QStringList{"Êtes-vous sure de vouloir quitter ?"});
        QCOMPARE(mApp->dialogs.shown[0].buttons, MsgButtons::YesNo);
        QCOMPARE(mQuits, 0);
        mApp->dialogs.answers = {MsgAnswer::Yes};
        trigger("Quit");
        QCOMPARE(mQuits, 1);
    }

    // A new project with the default texts; the same name again is refused, the project kept.
    void creation() {
        click(child("Acc"), "Command1");
        click(child("nouvprojet"), "Command1");
        QVERIFY(mApp->dialogs.shown.isEmpty() && !child("nouvprojet"));
        QCOMPARE(text(panel(), "Label5") + '/' + text(panel(), "Label6"), QStringLiteral("Jeu sans nom/Anonyme"));
        QCOMPARE(mapList(), QStringList{"Carte 1"});
        QCOMPARE(editor()->mapNumber(), QStringLiteral("01"));

        const QByteArray ini = bytesOf(mApp->projectDir("Jeu sans nom") + "/projet.ini");
        settle();
        trigger("new");
        click(child("nouvprojet"), "Command1");
        QCOMPARE(mApp->messages(), QStringList{"Erreur , des données essentiels au fonctionnement du "
                                               "programme sont manquantes ou corrompus , veuillez "
                                               "réinstaller Quendal 3"});
        QVERIFY(child("nouvprojet"));
        QCOMPARE(bytesOf(mApp->projectDir("Jeu sans nom") + "/projet.ini"), ini);
    }

    // Only a project folder opens; one that lacks a value opens, saying so.
    void openingChecksTheFolder_data() {
        QTest::addColumn<QString>("folder"); // below the application folder
        QTest::addColumn<QString>("said");   // the start of the message, if any
        QTest::addColumn<bool>("opened");
        QTest::newRow("projects root") << "projets" << "Erreur : Projet invalide !" << false;
        QTest::newRow("a project") << "projets/Mon jeu" << "" << true;
        QTest::newRow("folder outside projets") << "ailleurs/Mon jeu" << "Erreur : Projet invalide !" << false;
        QTest::newRow("no projet.ini") << "projets/vide" << "Erreur : Projet invalide !" << false;
        QTest::newRow("no combats") << "projets/Sans combats" << "Erreur : Une donnée de votre jeu n'a pu être chargée"
                                    << true;
    }
    void openingChecksTheFolder() {
        QFETCH(QString, folder);
        QFETCH(QString, said);
        QFETCH(bool, opened);
        makeProject(mApp->dir.path(), "Mon jeu", 2);
        QVERIFY(copyTree(mApp->projectDir("Mon jeu"), mApp->dir.path() + "/ailleurs/Mon jeu"));
        QDir().mkpath(mApp->projectDir("vide"));
        const QString ini = makeProject(mApp->dir.path(), "Sans combats", 2) + "/projet.ini";
        QVERIFY(putFile(ini, bytesOf(ini).replace("combats=0\r\n", "")));
        openFolder(mApp->dir.path() + '/' + folder);
        QCOMPARE(mApp->dialogs.shown.size(), said.isEmpty() ? 0 : 1);
        QVERIFY(said.isEmpty() || mApp->messages()[0].startsWith(said));
        QCOMPARE(panel()->tag(), opened ? folder.section('/', 1) : QString());
        QCOMPARE(windowsNamed("mapeditor").size(), opened ? 1 : 0);
        QCOMPARE(mapList(), opened ? (QStringList{"Carte 1", "Carte 2"}) : QStringList());
    }

    // Counts read from the file are capped before anything goes through them.
    void hugeCountsAreCapped() {
        const QString dir = makeProject(mApp->dir.path(), "Mon jeu", 1);
        QVERIFY(writeini("Jeu", "cartes", "2147483647", dir + "/projet.ini") &&
                writeini("Variables", "nombre", "2147483647", dir + "/projet.ini"));
        openFolder(dir);
        QCOMPARE(mapList().size(), 10000);
        click(panel(), "Command6");
        QCOMPARE(child("var")->findChild<QListWidget*>("List1")->count(), 10000);
        mApp->dialogs.shown.clear();
        click(child("var"), "Command1"); // refused before asking: 10,000 variables at most
        QCOMPARE(readini("Variables", "nombre", dir + "/projet.ini"), QStringLiteral("2147483647"));
        QVERIFY(mApp->dialogs.shown.size() == 1 && mApp->messages()[0].startsWith("Erreur : "));
    }

    // Every showing of the variables editor lists the variables, so an added one takes the next number.
    void variablesEditorListsOnEveryShowing() {
        const QString dir = openProject(1);
        const QString ini = dir + "/projet.ini";
        QVERIFY(writeini("Variables", "nombre", "2", ini) && writeini("Variable1", "valeur", "cent", ini) &&
                writeini("Variable2", "valeur", "deux", ini));
        click(panel(), "Command6");
        QCOMPARE(text(child("var"), "Label2"), QStringLiteral("2"));
        mApp->dialogs.promptAnswers = {QStringLiteral("nouveau")};
        click(child("var"), "Command1");
        QCOMPARE(readini("Variable1", "valeur", ini) + '/' + readini("Variable3", "valeur", ini) + '/' +
                     readini("Variables", "nombre", ini), QStringLiteral("cent/nouveau/3"));

        frameOf(child("var"))->close();
        settle();
        QVERIFY(writeini("Variables", "nombre", "1", ini));
        click(panel(), "Command6");
        QCOMPARE(text(child("var"), "Label2"), QStringLiteral("1"));
        QCOMPARE(child("var")->findChild<QListWidget*>("List1")->count(), 1);
    }

    // With every window open, a screen reader names each control without a caption of its own,
    // and reads a label as its current text and a frame as its own caption, not its parent's.
    void screenReaderNames() {
        trigger("new");
        trigger("loadp");
        openProject(2);
        click(panel(), "Command6");
        mMain->editEvent("01", 1, 1);
        mMain->sendtopsp();
        child("mapeditor")->findChild<QWidget*>("Frame11")->show();
        QSet<QWidget*> labelled;
        const auto all = mMain->findChildren<QWidget*>(); // sendtopsp included: its parent is the main window
        for (QWidget* w : all)
            if (auto* label = qobject_cast<QLabel*>(w); label && label->buddy())
                labelled.insert(label->buddy());
        QStringList wrong;
        for (QWidget* w : all) {
            const bool needsName = qobject_cast<QAbstractItemView*>(w) || qobject_cast<QScrollBar*>(w) ||
                                   qobject_cast<QComboBox*>(w) || qobject_cast<QLineEdit*>(w) ||
                                   w->objectName() == "CarteImg";
            const bool partOfAnother = qobject_cast<QScrollBar*>(w) && w->parentWidget() &&
                                       qobject_cast<QAbstractScrollArea*>(w->parentWidget()->parentWidget());
            const bool insideCombo = qobject_cast<QLineEdit*>(w) && qobject_cast<QComboBox*>(w->parentWidget());
            if (needsName && !partOfAnother && !insideCombo && w->accessibleName().isEmpty() &&
                !labelled.contains(w) && !w->objectName().startsWith("qt_"))
                wrong << QString("%1 (%2 in %3) has no name")
                             .arg(w->objectName(), w->metaObject()->className(), w->window()->objectName());
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
