// Texture sets on disk: counting, tile picture names, the tile picker's range, giving a set
// to a map, and the tile picture cache.

#include "maps/textureset.h"
#include "maps/tilecache.h"
#include "project/module1.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace {

void writeText(const QString& path, const QByteArray& text) {
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(text);
}

void makeSet(const QString& appDir, int n, const QByteArray& nbimg) {
    writeText(TextureSet(appDir, n).iniPath(), "[texture]\r\nnbimg=" + nbimg + "\r\n");
}

QImage solid(QColor colour, QSize size = {28, 29}) {
    QImage img(size, QImage::Format_RGB32);
    img.fill(colour);
    return img;
}

} // namespace

class TestTextures : public QObject {
    Q_OBJECT
private slots:
    void init() {
        mDir = std::make_unique<QTemporaryDir>();
        QVERIFY(mDir->isValid());
        mApp = mDir->path();
    }

    void countStopsAtFirstEmptyNbimg_data() {
        QTest::addColumn<int>("sets");
        QTest::addColumn<int>("expected");
        QTest::newRow("none") << 0 << 0;
        QTest::newRow("three") << 3 << 3;
        QTest::newRow("twelve, past 9") << 12 << 12;
    }
    void countStopsAtFirstEmptyNbimg() {
        QFETCH(int, sets);
        QFETCH(int, expected);
        for (int n = 1; n <= sets; ++n)
            makeSet(mApp, n, "4");
        makeSet(mApp, sets + 1, "");  // the set after the last has an empty nbimg
        makeSet(mApp, sets + 2, "4"); // sets after a gap are not offered
        QCOMPARE(TextureSet::count(mApp), expected);
    }

    void tilePictureNames_data() {
        QTest::addColumn<int>("tile");
        QTest::addColumn<QString>("file");
        QTest::newRow("3") << 3 << "terrain03.JPG";
        QTest::newRow("10") << 10 << "terrain010.JPG";
        QTest::newRow("12") << 12 << "terrain012.JPG";
    }
    void tilePictureNames() {
        QFETCH(int, tile);
        QFETCH(QString, file);
        const TextureSet set(mApp, 10);
        const QString folder = mApp + "/data/images/terrains/terrain10/";
        QCOMPARE(set.tilePath(tile), folder + file);
        QCOMPARE(set.codePicturePath(tile - 1), folder + file);
    }

    void previewsAreTheFirstFourTiles() {
        const QString folder = mApp + "/data/images/terrains/terrain02/";
        QCOMPARE(TextureSet(mApp, 2).previewPaths(),
                 QStringList({folder + "terrain01.JPG", folder + "terrain02.JPG",
                              folder + "terrain03.JPG", folder + "terrain04.JPG"}));
    }

    void pickerRangeIsCappedAtTen_data() {
        QTest::addColumn<QByteArray>("nbimg");
        QTest::addColumn<int>("maximum");
        QTest::newRow("fifteen tiles") << QByteArray("15") << 10;
        QTest::newRow("four tiles") << QByteArray("4") << 4;
        QTest::newRow("ten tiles") << QByteArray("10") << 10;
        QTest::newRow("no count") << QByteArray("") << 1;
        QTest::newRow("not a number") << QByteArray("beaucoup") << 1;
    }
    void pickerRangeIsCappedAtTen() {
        QFETCH(QByteArray, nbimg);
        QFETCH(int, maximum);
        makeSet(mApp, 1, nbimg);
        QCOMPARE(TextureSet(mApp, "01").pickerMaximum(), maximum);
    }

    void applySetToMap() {
        const QString project = mApp + "/projets/jeu";
        writeText(project + "/projet.ini", "[Jeu]\r\ncartes=03\r\n[Carte03]\r\ntexture=01\r\n");
        writeText(project + "/images/map03/terrain.png", "old sheet");
        writeText(TextureSet(mApp, 2).sheetPath(), "sheet of set 2");

        QCOMPARE(TextureSet(mApp, 2).applyTo("jeu", "03"), TextureSet::ApplyResult::Applied);
        QCOMPARE(readini("Carte03", "texture", project + "/projet.ini"), QString("02"));
        QFile sheet(project + "/images/map03/terrain.png");
        QVERIFY(sheet.open(QIODevice::ReadOnly));
        QCOMPARE(sheet.readAll(), QByteArray("sheet of set 2"));
    }

    void applyWithoutSheetChangesNothing() {
        const QString project = mApp + "/projets/jeu";
        writeText(project + "/projet.ini", "[Carte01]\r\ntexture=01\r\n");
        writeText(project + "/images/map01/terrain.png", "old sheet");
        const auto result = TextureSet(mApp, 5).applyTo("jeu", "01");
        QCOMPARE(result, TextureSet::ApplyResult::SheetMissing);
        QVERIFY(!TextureSet::applyErrorText(result, "01").isEmpty());
        QCOMPARE(readini("Carte01", "texture", project + "/projet.ini"), QString("01"));
        QCOMPARE(readfile(project + "/images/map01/terrain.png"), QString("old sheet"));
    }

    void cacheReadsAgainAChangedPicture() {
        const QString path = mApp + "/tile.JPG";
        QVERIFY(solid(Qt::red).save(path, "JPG", 100));
        TileCache cache;
        QVERIFY(cache.picture(path).pixelColor(5, 5).red() > 240);
        QVERIFY(cache.picture(path).pixelColor(5, 5).red() > 240);
        QCOMPARE(cache.reads(), 1);

        // Same size on disk is possible: the changed modification time is enough.
        QVERIFY(solid(Qt::blue).save(path, "JPG", 100));
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadWrite));
        QVERIFY(f.setFileTime(QDateTime::currentDateTime().addSecs(60),
                              QFileDevice::FileModificationTime));
        f.close();
        QVERIFY(cache.picture(path).pixelColor(5, 5).blue() > 240);
        QCOMPARE(cache.reads(), 2);

        QVERIFY(QFile::remove(path));
        QVERIFY(cache.picture(path).isNull());
    }

    void cacheRemembersAnUnreadablePicture() {
        const QString path = mApp + "/broken.JPG";
        writeText(path, "not a picture");
        TileCache cache;
        QVERIFY(cache.picture(path).isNull());
        QVERIFY(cache.picture(path).isNull());
        QCOMPARE(cache.reads(), 1);
        QVERIFY(cache.picture(mApp + "/missing.JPG").isNull());
    }

private:
    std::unique_ptr<QTemporaryDir> mDir;
    QString mApp;
};

QTEST_MAIN(TestTextures)
#include "test_textures.moc"
