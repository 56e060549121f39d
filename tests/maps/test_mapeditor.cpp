// The map editor window driven through its controls: loads, saves, new maps, the reset and
// the frames, with scripted message boxes.

#include "maps/mapeditor.h"
#include "maps/mapfiles.h"
#include "shell/appfixture.h"

#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>


class TestMapEditor : public QObject {
    Q_OBJECT

private:
    TestApp* mApp = nullptr;
    QString mProject;
    QString mName = QStringLiteral("Jeu");

    MapEditor* editorOn(const QString& nn) {
        auto* e = new MapEditor(mApp->services, [this] { return mName; });
        e->startup();
        e->setMapNumber(nn);
        e->loadmap();
        return e;
    }
    static QString text(MapEditor* e, const char* name) {
        if (auto* l = e->findChild<QLabel*>(QLatin1String(name)))
            return l->text();
        return e->findChild<QLineEdit*>(QLatin1String(name))->text();
    }
    static void click(MapEditor* e, const char* name) {
        auto* b = e->findChild<QPushButton*>(QLatin1String(name));
        QVERIFY(b);
        b->click();
    }

private slots:
    void init() {
        mApp = new TestApp;
        mProject = makeProject(mApp->dir.path(), mName, 2);
    }
    void cleanup() { delete mApp; }

    void controlsInPlace() {
        std::unique_ptr<MapEditor> e(editorOn("01"));
        QCOMPARE(e->windowTitle(), QStringLiteral("Editeur de carte"));
        QCOMPARE(e->findChild<QWidget*>("Frame3")->geometry(), QRect(320, 0, 161, 97));
        QCOMPARE(e->findChild<QWidget*>("Command4")->geometry(), QRect(480, 0, 161, 25));
        QCOMPARE(e->findChild<QWidget*>("Frame1")->geometry(), QRect(160, 40, 161, 57));
        QCOMPARE(e->findChild<QWidget*>("Frame2")->geometry().topLeft(), QPoint(488, 24));
        QCOMPARE(e->findChild<QWidget*>("Label1")->parentWidget()->objectName(), QStringLiteral("Frame1"));
        QCOMPARE(e->findChild<QWidget*>("Command10")->parentWidget()->objectName(), QStringLiteral("Frame2"));
        // Nothing but the frames may sit over the canvas area.
        for (QWidget* w : e->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            if (w->objectName() != "Frame3" && w->objectName() != "Frame1")
                QVERIFY2(!w->geometry().intersects(QRect(0, 0, 480, 249)), qPrintable(w->objectName()));
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
};

QTEST_MAIN(TestMapEditor)
#include "test_mapeditor.moc"
