// The finalising window (what the copy itself does and refuses is in tst_export).
#include "build/gamefiles.h"
#include "project/creation.h"
#include "shell/sendtopsp.h"
#include "shellfixture.h"
#include "testsupport/tiles.h"

#include <QSignalSpy>

class TestFinalise : public QObject, ShellFixture {
    Q_OBJECT
    QString mDest;

    SendToPsp* window() const { return mMain->findChild<SendToPsp*>("sendtopsp"); }
    // Presses "Copier" and waits for what the copy came to.
    void copy() {
        QSignalSpy finished(window(), &SendToPsp::copyFinished);
        click(window(), "Command1");
        if (window()->isCopying())
            QVERIFY(finished.wait(60000));
    }
    QString lastMessage() const { return mApp->dialogs.shown.isEmpty() ? QString() : mApp->dialogs.shown.last().text; }

private slots:
    void init() {
        startMain([](TestApp& app) { app.paths.playerPath = QUENDAL_APP_BUILD_DIR "/luaplayer"; });
        makeTextureSets(mApp->dir.path());
        mDest = mApp->dir.path() + "/CLE_USB";
        QDir().mkpath(mDest);
    }
    void cleanup() { mMain.reset(); }

    // The copy takes the map as on screen, asks before replacing a game, and plays it.
    void copiesWhatIsOnScreen() {
        auto* action = mMain->findChild<QAction*>("finaliser");
        QVERIFY(!action->isEnabled());
        QVERIFY(createProject(mApp->paths, "Aventure", "Moi"));
        openFolder(mApp->projectDir("Aventure"));
        settle();
        QVERIFY(action->isEnabled() && editor());
        paint(editor(), 1, 1);
        click(panel(), "Command5");
        QCOMPARE(mApp->messages(), QStringList{"En création..."});
        QVERIFY(!window() || !window()->isVisible());
        mApp->dialogs.shown.clear();

        action->trigger();
        QVERIFY(window()->isVisible());
        // Without a console player the option says where to put one.
        auto* option2 = window()->findChild<QRadioButton*>("Option2");
        const QString player = consolePlayerFolder(mApp->paths);
        QVERIFY(!option2->isEnabled() && option2->toolTip().contains(player));
        putFile(player + "/eboot.pbp", "PBP");
        action->trigger();
        QVERIFY(option2->isEnabled());

        window()->setPlaces({{"CLE_USB", mDest, true}});
        QCOMPARE(text(window(), "Label3"), QString("Le jeu sera copié dans : CLE_USB/Aventure"));
        copy();
        const QString game = mDest + "/Aventure";
        QVERIFY2(lastMessage().startsWith("Le jeu « Aventure » a été copié dans " + game), qPrintable(lastMessage()));
        QVERIFY(lastMessage().endsWith("Essayé dans LuaPlayer, il démarre sans erreur."));
        QCOMPARE(bytesOf(game + "/map01.map").mid(6, 1), QByteArray("8"));
        QVERIFY(!QFileInfo::exists(game + "/projet.ini") && !QFileInfo::exists(game + "/EBOOT.PBP"));

        // "Non" keeps the game there (tst_export replaces one whole).
        putFile(game + "/vieux.txt", "ancien");
        mApp->dialogs.answers = {MsgAnswer::No};
        copy();
        QCOMPARE(mApp->dialogs.shown.last().buttons, MsgButtons::YesNo);
        QVERIFY(lastMessage().contains("existe déjà"));
        QVERIFY(QFileInfo::exists(game + "/vieux.txt"));
    }
};

QTEST_MAIN(TestFinalise)
#include "test_finalise.moc"
