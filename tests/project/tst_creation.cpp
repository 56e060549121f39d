// Project creation from a fixture application folder.
#include "project/creation.h"

#include <QImage>
#include <QtTest>

namespace {

const QStringList kHero = {"dos1",    "dos2",    "dos3",    "face1",   "face2",
                           "face3",   "droite1", "droite2", "droite3", "gauche1",
                           "gauche2", "gauche3", "mort"};
const QStringList kSystem = {"imgprinc", "menuingame", "menuprinc", "parler"};

// Template name, destination in the project.
const QList<QPair<QString, QString>> kTextCopies = {
    {"ftgr.dat", "ram.lua"},       {"ftgm.dat", "map.lua"},   {"ftgi.dat", "index.lua"},
    {"ftgms.dat", "menustart.lua"}, {"ftgev.dat", "ev.lua"},   {"ftgmev.dat", "map01.ev"},
    {"ftgmma.dat", "map01.map"}};

const QByteArray kIni = "[Jeu]\r\nnom=Mon jeu \xE9t\xE9\r\nauteur=Anonyme\r\nver=3.0.0\r\n"
                        "cartes=1\r\ncombats=0\r\n[Carte01]\r\ntexture=01\r\nnom=Carte 1\r\n"
                        "[Variables]\r\nnombre=0\r\n";

QByteArray bytesOf(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool putBytes(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

// Every file and folder below dir, relative, sorted.
QStringList tree(const QString& dir) {
    QStringList out;
    QDirIterator it(dir, QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext())
        out << QDir(dir).relativeFilePath(it.next());
    out.sort();
    return out;
}

bool copyTree(const QString& from, const QString& to) {
    QDir().mkpath(to);
    for (const QString& rel : tree(from)) {
        const QFileInfo src(from + '/' + rel);
        if (src.isDir() ? !QDir().mkpath(to + '/' + rel)
                        : !QFile::copy(src.filePath(), to + '/' + rel))
            return false;
    }
    return true;
}

} // namespace

class TestCreation : public QObject {
    Q_OBJECT
private slots:
    void init();
    void createsCompleteProject();
    void missingTemplateGivesLineEndOnly();
    void stopsAtMissingImage();
    void refusesExistingName_data();
    void refusesExistingName();
    void refusesUnsafeName_data();
    void refusesUnsafeName();
    void createsFromRepositoryData();

private:
    QString app(const QString& rel = QString()) const { return mTmp->filePath("app" + rel); }
    QString project(const QString& rel = QString()) const {
        return app("/projets/" + mName + rel);
    }
    std::unique_ptr<QTemporaryDir> mTmp;
    const QString mName = QStringLiteral("Mon jeu été");
};

// A small application folder: one distinct tiny picture per image, templates with odd bytes.
void TestCreation::init() {
    mTmp = std::make_unique<QTemporaryDir>();
    QVERIFY(mTmp->isValid());
    QVERIFY(QDir().mkpath(app("/projets")));
    int hue = 0;
    auto picture = [&](const QString& rel) {
        QImage img(2 + hue % 5, 3, QImage::Format_RGB32);
        img.fill(QColor::fromHsv((hue += 17) % 360, 200, 200));
        QVERIFY(QDir().mkpath(QFileInfo(app(rel)).path()));
        QVERIFY(img.save(app(rel), "PNG"));
    };
    for (const QString& s : kHero)
        picture("/data/images/personnages/perso01/" + s + ".png");
    for (const QString& s : kSystem)
        picture("/data/images/system/theme01/" + s + ".png");
    picture("/data/images/terrains/terrain01/terrain01.png");
    for (const auto& [tpl, dest] : kTextCopies)
        QVERIFY(putBytes(app("/data/" + tpl), "-- " + tpl.toLatin1() + " \xE9\r\nx = 1"));
}

void TestCreation::createsCompleteProject() {
    QVERIFY(createProject(app(), mName, "Anonyme"));
    QCOMPARE(bytesOf(project("/projet.ini")), kIni);
    QCOMPARE(bytesOf(project("/variables.lua")), QByteArray("--Variables du jeu\r\n"));
    for (const auto& [tpl, dest] : kTextCopies)
        QCOMPARE(bytesOf(project('/' + dest)), bytesOf(app("/data/" + tpl)) + "\r\n");
    for (const QString& s : kHero)
        QCOMPARE(bytesOf(project("/images/personnages/hero/" + s + ".png")),
                 bytesOf(app("/data/images/personnages/perso01/" + s + ".png")));
    for (const QString& s : kSystem)
        QCOMPARE(bytesOf(project("/images/System/" + s + ".png")),
                 bytesOf(app("/data/images/system/theme01/" + s + ".png")));
    QCOMPARE(bytesOf(project("/images/map01/terrain.png")),
             bytesOf(app("/data/images/terrains/terrain01/terrain01.png")));

    QStringList expected = {"ev", "ev/map01", "images", "images/System", "images/map01",
                            "images/map01/terrain.png", "images/personnages",
                            "images/personnages/hero", "projet.ini", "variables.lua"};
    for (const auto& entry : kTextCopies)
        expected << entry.second;
    for (const QString& s : kHero)
        expected << "images/personnages/hero/" + s + ".png";
    for (const QString& s : kSystem)
        expected << "images/System/" + s + ".png";
    expected.sort();
    QCOMPARE(tree(project()), expected);
}

void TestCreation::missingTemplateGivesLineEndOnly() {
    QVERIFY(QFile::remove(app("/data/ftgm.dat")));
    QVERIFY(QFile::remove(app("/data/ftgmma.dat")));
    QVERIFY(createProject(app(), mName, "Anonyme"));
    QCOMPARE(bytesOf(project("/map.lua")), QByteArray("\r\n"));
    QCOMPARE(bytesOf(project("/map01.map")), QByteArray("\r\n"));
    QCOMPARE(bytesOf(project("/variables.lua")), QByteArray("--Variables du jeu\r\n"));
}

void TestCreation::stopsAtMissingImage() {
    QVERIFY(QFile::remove(app("/data/images/personnages/perso01/face2.png")));
    QVERIFY(!createProject(app(), mName, "Anonyme"));
    QCOMPARE(bytesOf(project("/projet.ini")), kIni);
    QCOMPARE(tree(project()),
             (QStringList{"ev", "ev/map01", "images", "images/System", "images/map01",
                          "images/personnages", "images/personnages/hero",
                          "images/personnages/hero/dos1.png", "images/personnages/hero/dos2.png",
                          "images/personnages/hero/dos3.png", "images/personnages/hero/face1.png",
                          "projet.ini"}));
    // The partial project now holds the name.
    QVERIFY(!createProject(app(), mName, "Anonyme"));
}

void TestCreation::refusesExistingName_data() {
    QTest::addColumn<QString>("second");
    QTest::newRow("same name") << mName;
    QTest::newRow("other letter case") << mName.toUpper();
}

void TestCreation::refusesExistingName() {
    QFETCH(QString, second);
    QVERIFY(createProject(app(), mName, "Anonyme"));
    const QStringList before = tree(app());
    QVERIFY(!createProject(app(), second, "Quelqu'un"));
    QCOMPARE(tree(app()), before);
    QCOMPARE(bytesOf(project("/projet.ini")), kIni);
}

void TestCreation::refusesUnsafeName_data() {
    QTest::addColumn<QString>("name");
    QTest::newRow("empty") << "";
    QTest::newRow("dot") << ".";
    QTest::newRow("dot dot") << "..";
    QTest::newRow("slash") << "a/b";
    QTest::newRow("backslash") << "a\\b";
    QTest::newRow("climbing") << "../evade";
    QTest::newRow("absolute") << "/ABSOLUTE";
    QTest::newRow("line break") << "a\r\nb";
    QTest::newRow("outside the code page") << QString::fromUtf8("日本");
    QTest::newRow("leading blank") << " Jeu";
    QTest::newRow("trailing tab") << "Jeu\t";
    QTest::newRow("quoted") << "'Jeu'";
    QTest::newRow("255 characters") << QString(255, u'j');
}

void TestCreation::refusesUnsafeName() {
    QFETCH(QString, name);
    QVERIFY(!isSafeProjectName(name));
    const QStringList before = tree(mTmp->path());
    QVERIFY(!createProject(app(), name, "Anonyme"));
    QCOMPARE(tree(mTmp->path()), before);
    QVERIFY(!QFileInfo::exists("/ABSOLUTE"));
    QVERIFY(!createProject(app(), "Jeu", "Anonyme\nsecond"));
    QCOMPARE(tree(mTmp->path()), before);
    QVERIFY(isSafeProjectName("Jeu sans nom"));
    QVERIFY(isSafeProjectName("'Jeu\""));
    QVERIFY(isSafeProjectName(QString(254, u'j')));
    QVERIFY(isSafeProjectName(QStringLiteral("L'épée … de Zoë €")));
}

// The supplied data of the repository, once its pictures are drawn, makes a whole project.
void TestCreation::createsFromRepositoryData() {
    const QString data = QStringLiteral(QUENDAL_SOURCE_DIR "/data");
    if (!QFileInfo::exists(data + "/images/personnages/perso01/mort.png") ||
        !QFileInfo::exists(data + "/images/terrains/terrain01/terrain01.png"))
        QSKIP("the supplied pictures are not in data/images yet");
    QVERIFY(QDir(app("/data")).removeRecursively());
    QVERIFY(copyTree(data, app("/data")));
    QVERIFY(createProject(app(), "Jeu sans nom", "Anonyme"));
    for (const auto& [tpl, dest] : kTextCopies)
        QCOMPARE(bytesOf(app("/projets/Jeu sans nom/" + dest)), bytesOf(data + '/' + tpl) + "\r\n");
    QVERIFY(!QImage(app("/projets/Jeu sans nom/images/map01/terrain.png")).isNull());
}

QTEST_MAIN(TestCreation)
#include "tst_creation.moc"
