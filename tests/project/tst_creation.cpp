// Project creation from a stand-in application folder.
#include "project/creation.h"
#include "testsupport/appfolder.h"

#include <QtTest>

namespace {
const QString kName = QStringLiteral("Mon jeu été");
const QByteArray kIni = "[Jeu]\r\nnom=Mon jeu \xE9t\xE9\r\nauteur=Anonyme\r\nver=3.0.0\r\n"
                        "cartes=1\r\ncombats=0\r\n[Carte01]\r\ntexture=01\r\nnom=Carte 1\r\n"
                        "[Variables]\r\nnombre=0\r\n";
const QStringList kFolders = {"ev", "ev/map01", "images", "images/System", "images/map01",
                              "images/personnages", "images/personnages/hero"};
} // namespace

class TestCreation : public QObject {
    Q_OBJECT
    std::unique_ptr<AppFolder> mApp;
    QString app(const QString& rel) const { return mApp->dir.path() + rel; }
    QString project(const QString& rel = QString()) const { return mApp->projectDir(kName) + rel; }

private slots:
    void init() {
        mApp = std::make_unique<AppFolder>();
        QVERIFY(QDir().mkpath(app("/projets")));
    }

    void createsCompleteProject() {
        QVERIFY(isSafeProjectName(QStringLiteral("L'épée … de Zoë €")));
        QVERIFY(createProject(mApp->appPaths(), kName, "Anonyme"));
        QCOMPARE(bytesOf(project("/projet.ini")), kIni);
        QCOMPARE(bytesOf(project("/variables.lua")), QByteArray("--Variables du jeu\r\n"));
        QStringList expected = kFolders + QStringList{"images/map01/terrain.png", "projet.ini",
                                                      "variables.lua"};
        for (const auto& [tpl, dest] : kTextCopies) {
            QCOMPARE(bytesOf(project('/' + dest)), bytesOf(app("/data/" + tpl)) + "\r\n");
            expected << dest;
        }
        for (const QString& s : kHeroSprites) {
            QCOMPARE(bytesOf(project("/images/personnages/hero/" + s + ".png")), "png " + s.toLatin1());
            expected << "images/personnages/hero/" + s + ".png";
        }
        for (const QString& s : kSystemPictures)
            expected << "images/System/" + s + ".png";
        QCOMPARE(bytesOf(project("/images/map01/terrain.png")), QByteArray("tile sheet"));
        expected.sort();
        QCOMPARE(tree(project()), expected);
    }

    void stopsAtMissingImageLeavingThePartialProject() {
        QVERIFY(QFile::remove(app("/data/images/personnages/perso01/face2.png")));
        QVERIFY(!createProject(mApp->appPaths(), kName, "Anonyme"));
        QCOMPARE(bytesOf(project("/projet.ini")), kIni);
        QStringList expected = kFolders + QStringList{"projet.ini"};
        for (const QString& s : kHeroSprites.mid(0, 4))
            expected << "images/personnages/hero/" + s + ".png";
        expected.sort();
        QCOMPARE(tree(project()), expected);
    }

    // A name already taken, in any letter case, or one that would not read back as itself or
    // would leave the projects folder: nothing is made.
    void refusesName_data() {
        QTest::addColumn<QString>("name");
        QTest::newRow("taken") << kName.toUpper();
        QTest::newRow("empty") << "";
        QTest::newRow("climbing") << "../evade";
        QTest::newRow("backslash") << "a\\b";
        QTest::newRow("line break") << "a\r\nb";
        QTest::newRow("outside the code page") << QString::fromUtf8("日本");
        QTest::newRow("trailing blank") << "Jeu ";
        QTest::newRow("255 characters") << QString(255, u'j');
        // Written between quotes into the launcher, the rest would run as code.
        QTest::newRow("double quote") << "a\")os.execute(\"id>x.txt\")os.exit(0)--";
    }
    void refusesName() {
        QFETCH(QString, name);
        QVERIFY(createProject(mApp->appPaths(), kName, "Anonyme"));
        const QStringList before = tree(mApp->dir.path());
        QVERIFY(!createProject(mApp->appPaths(), name, "Quelqu'un"));
        QCOMPARE(tree(mApp->dir.path()), before);
        QCOMPARE(bytesOf(project("/projet.ini")), kIni);
    }
};

QTEST_GUILESS_MAIN(TestCreation)
#include "tst_creation.moc"
