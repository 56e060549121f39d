// Checks the pictures and map templates committed under data/: what project creation copies,
// the texture sets the map editor reads, and the first content of a new map.
#include <QFile>
#include <QImage>
#include <QtTest>

namespace {

QString dataPath(const QString& relative) {
    return QStringLiteral(QUENDAL_SOURCE_DIR "/data/") + relative;
}

QByteArray readBytes(const QString& relative) {
    QFile f(dataPath(relative));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QString setFolder(int n) {
    return QStringLiteral("images/terrains/terrain%1/").arg(n, 2, 10, QLatin1Char('0'));
}

// Mean absolute difference per channel between two pictures of the same size.
double meanDifference(const QImage& a, const QImage& b) {
    double sum = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            sum += std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) +
                   std::abs(qBlue(p) - qBlue(q));
        }
    return sum / (3.0 * a.width() * a.height());
}

const QStringList heroNames = {"dos1",    "dos2",    "dos3",    "face1",   "face2",
                               "face3",   "droite1", "droite2", "droite3", "gauche1",
                               "gauche2", "gauche3", "mort"};

} // namespace

class TestArt : public QObject {
    Q_OBJECT
private slots:
    void copiedPictures_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QSize>("size");
        for (const QString& name : heroNames)
            QTest::newRow(qPrintable(name))
                << QStringLiteral("images/personnages/perso01/%1.png").arg(name) << QSize(28, 29);
        const QString theme = QStringLiteral("images/system/theme01/");
        QTest::newRow("imgprinc") << theme + "imgprinc.png" << QSize(480, 272);
        QTest::newRow("menuingame") << theme + "menuingame.png" << QSize(200, 80);
        QTest::newRow("menuprinc") << theme + "menuprinc.png" << QSize(200, 80);
        QTest::newRow("parler") << theme + "parler.png" << QSize(480, 80);
        QTest::newRow("tile sheet 01") << setFolder(1) + "terrain01.png" << QSize(280, 29);
    }
    void copiedPictures() {
        QFETCH(QString, path);
        QFETCH(QSize, size);
        // Creation copies these byte for byte, so they must be real PNG files.
        QVERIFY2(readBytes(path).startsWith("\x89PNG"), qPrintable(path));
        const QImage img(dataPath(path));
        QVERIFY2(!img.isNull(), qPrintable(path));
        QCOMPARE(img.size(), size);
    }

    void heroSprites() {
        QList<QImage> frames;
        for (const QString& name : heroNames) {
            const QImage img =
                QImage(dataPath("images/personnages/perso01/" + name + ".png"))
                    .convertToFormat(QImage::Format_ARGB32);
            QVERIFY(!img.isNull());
            for (QPoint corner : {QPoint(0, 0), QPoint(27, 0), QPoint(0, 28), QPoint(27, 28)})
                QVERIFY2(qAlpha(img.pixel(corner)) == 0, qPrintable(name));
            int opaque = 0;
            for (int y = 0; y < img.height(); ++y)
                for (int x = 0; x < img.width(); ++x)
                    opaque += qAlpha(img.pixel(x, y)) == 255;
            QVERIFY2(opaque > 150, qPrintable(name)); // a figure, not a speck
            frames.append(img);
        }
        // Each direction walks: its three frames all differ.
        for (int d = 0; d < 4; ++d) {
            QVERIFY(frames[3 * d] != frames[3 * d + 1]);
            QVERIFY(frames[3 * d + 1] != frames[3 * d + 2]);
            QVERIFY(frames[3 * d] != frames[3 * d + 2]);
        }
        // Left and right are mirror images of each other.
        for (int i = 0; i < 3; ++i)
            QCOMPARE(frames[9 + i], frames[6 + i].mirrored(true, false));
    }

    void textureSets_data() {
        QTest::addColumn<int>("set");
        for (int n = 1; n <= 3; ++n)
            QTest::newRow(qPrintable(setFolder(n))) << n;
    }
    void textureSets() {
        QFETCH(int, set);
        const QString dir = setFolder(set);
        QCOMPARE(readBytes(dir + "texture.ini"), QByteArray("[texture]\r\nnbimg=10\r\n"));
        const QImage sheet = QImage(dataPath(dir + "terrain01.png"))
                                 .convertToFormat(QImage::Format_RGB32);
        QCOMPARE(sheet.size(), QSize(280, 29));
        QList<QImage> tiles;
        for (int k = 1; k <= 10; ++k) {
            const QString name = dir + QStringLiteral("terrain0%1.JPG").arg(k);
            QVERIFY2(readBytes(name).startsWith("\xff\xd8\xff"), qPrintable(name)); // JPEG
            const QImage tile = QImage(dataPath(name)).convertToFormat(QImage::Format_RGB32);
            QCOMPARE(tile.size(), QSize(28, 29));
            tiles.append(tile);
        }
        // Sheet tile k is picture k + 1, up to JPEG loss (the writer halves the colour
        // resolution, which costs up to about 9 levels on sharp pixel art), and nearer to it
        // than to any other picture of the set.
        for (int k = 0; k < 10; ++k) {
            const QImage part = sheet.copy(28 * k, 0, 28, 29);
            const double own = meanDifference(part, tiles[k]);
            QVERIFY2(own < 12, qPrintable(QStringLiteral("tile %1 differs by %2").arg(k).arg(own)));
            for (int j = 0; j < 10; ++j)
                if (j != k)
                    QVERIFY(meanDifference(part, tiles[j]) > own);
        }
        // The set list ends at the first folder without texture.ini.
        QVERIFY(set != 3 || !QFile::exists(dataPath(setFolder(4) + "texture.ini")));
    }

    void mapTemplate() {
        const QByteArray map = readBytes("ftgmma.dat");
        const QList<QByteArray> lines = map.split('\n');
        // header, 8 rows, and nothing after the last CR LF: the copy adds the final one
        QCOMPARE(lines.size(), 10);
        QCOMPARE(lines.last(), QByteArray());
        QCOMPARE(map.size(), 6 + 8 * 19);
        QVERIFY(lines[0].size() == 5 && lines[0].endsWith('\r'));
        bool ok = false;
        const int column = lines[0].left(2).toInt(&ok);
        QVERIFY(ok);
        const int row = lines[0].mid(2, 2).toInt(&ok);
        QVERIFY(ok);
        QVERIFY(column >= 1 && column <= 17);
        QVERIFY(row >= 1 && row <= 8);
        for (int r = 1; r <= 8; ++r) {
            QCOMPARE(lines[r].size(), 18);
            QVERIFY(lines[r].endsWith('\r'));
            for (int c = 0; c < 17; ++c)
                QVERIFY(std::isdigit(static_cast<unsigned char>(lines[r][c])));
        }
        // The hero starts on a walkable tile of set 01 (codes 0 to 4).
        QVERIFY(lines[row][column - 1] <= '4');
    }

    void collisionTemplate() {
        QByteArray expected;
        for (int r = 0; r < 8; ++r)
            expected += QByteArray(17, '0') + "\r\n";
        QCOMPARE(readBytes("ftgmev.dat"), expected);
    }
};

QTEST_GUILESS_MAIN(TestArt)
#include "tst_art.moc"
