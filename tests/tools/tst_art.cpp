// The pictures, texture sets and map templates committed under data/.
#include "testsupport/appfolder.h"

#include <QImage>
#include <QtTest>

namespace {
QString dataPath(const QString& relative) {
    return QStringLiteral(QUENDAL_SOURCE_DIR "/data/") + relative;
}
QString setFolder(int n) {
    return QStringLiteral("images/terrains/terrain%1/").arg(n, 2, 10, QLatin1Char('0'));
}
} // namespace

class TestArt : public QObject {
    Q_OBJECT
private slots:
    void pictures_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QSize>("size");
        for (const QString& name : kHeroSprites)
            QTest::newRow(qPrintable(name)) << "images/personnages/perso01/" + name + ".png" << QSize(28, 29);
        const QString theme = QStringLiteral("images/system/theme01/");
        for (auto [name, size] : {std::pair{"imgprinc", QSize(480, 272)}, {"menuingame", QSize(200, 80)},
                                  {"menuprinc", QSize(200, 80)}, {"parler", QSize(480, 80)}})
            QTest::newRow(name) << theme + name + ".png" << size;
        for (int set = 1; set <= 3; ++set) {
            QTest::newRow(qPrintable(setFolder(set))) << setFolder(set) + "terrain01.png" << QSize(280, 29);
            for (int k = 1; k <= 10; ++k)
                QTest::newRow(qPrintable(setFolder(set) + QString::number(k)))
                    << setFolder(set) + QStringLiteral("terrain0%1.JPG").arg(k) << QSize(28, 29);
        }
    }
    void pictures() {
        QFETCH(QString, path);
        QFETCH(QSize, size);
        QCOMPARE(QImage(dataPath(path)).size(), size);
    }

    // Three texture sets of ten tiles. The map template: header "CCRR", 8 rows of 17 tile
    // codes, no final CR LF (the copy adds it); the hero starts on a walkable tile (0 to 4).
    void textureSetsAndMapTemplates() {
        for (int set = 1; set <= 4; ++set)
            QCOMPARE(bytesOf(dataPath(setFolder(set) + "texture.ini")),
                     set < 4 ? QByteArray("[texture]\r\nnbimg=10\r\n") : QByteArray());
        const QList<QByteArray> lines = bytesOf(dataPath("ftgmma.dat")).split('\n');
        QCOMPARE(lines.size(), 10);
        QCOMPARE(lines.last(), QByteArray());
        QVERIFY(QRegularExpression("^\\d{4}\r$").match(QString(lines[0])).hasMatch());
        for (int r = 1; r <= 8; ++r)
            QVERIFY(QRegularExpression("^\\d{17}\r$").match(QString(lines[r])).hasMatch());
        const int column = lines[0].left(2).toInt(), row = lines[0].mid(2, 2).toInt();
        QVERIFY(column >= 1 && column <= 17 && row >= 1 && row <= 8);
        QVERIFY(lines[row][column - 1] <= '4');
        QCOMPARE(bytesOf(dataPath("ftgmev.dat")), QByteArray("00000000000000000\r\n").repeated(8));
    }
};

QTEST_GUILESS_MAIN(TestArt)
#include "tst_art.moc"
