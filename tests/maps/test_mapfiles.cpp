// The plain logic under the map editor: map files, new maps, documents, sets, tile pictures.

#include "maps/mapdocument.h"
#include "maps/mapfiles.h"
#include "maps/maprenderer.h"
#include "maps/textureset.h"
#include "project/projectsession.h"
#include "testsupport/tiles.h"

#include <QFileInfo>
#include <QTest>
#include <QUndoStack>

class TestMapFiles : public QObject {
    Q_OBJECT
    std::unique_ptr<AppFolder> mApp;
    std::unique_ptr<ProjectSession> mSession;
    QString mDir;
    QString mProject;

    QString ini() const { return mProject + "/projet.ini"; }
    std::shared_ptr<MapDocument> openMap() { return MapDocument::open(*mSession, "01"); }

private slots:
    void init() {
        mSession.reset();
        mApp = std::make_unique<AppFolder>();
        mDir = mApp->dir.path();
        mProject = makeProject(mDir, QStringLiteral("Jeu"), 1);
        makeTextureSets(mDir);
        mSession = std::make_unique<ProjectSession>(mApp->appPaths());
        mSession->open("Jeu");
    }

    void row2Column1IsCharacters26And20() {
        QString map(6 + 8 * 19, u'0'), ev(8 * 19, u'0');
        map[25] = u'7';
        ev[19] = u'1';
        MapCells cells;
        cells.loadRows(map, ev);
        QCOMPARE(cells.maptiles[17] + cells.maptiles[16] + cells.maptiles[18], QStringLiteral("700"));
        QCOMPARE(cells.mapcoll[17] + cells.mapcoll[16] + cells.mapcoll[18], QStringLiteral("100"));
    }

    // A ninth row the file holds survives a load and a save; a reset writes nine rows of zeros.
    void loadSaveRoundTrip() {
        const QString map = "1703\r\n" + templateMap().mid(6) + QString(17, u'4') + "\r\n\r\n";
        writefile(map.chopped(2), mapFilePath(mProject, "01"));
        auto doc = openMap();
        QVERIFY(doc);
        QCOMPARE(doc->heroColumn() + '/' + doc->heroRow(), QStringLiteral("17/03"));
        QCOMPARE(doc->name(), QStringLiteral("Carte 1"));
        doc->rename("Forêt");
        QVERIFY(doc->save().isEmpty());
        QCOMPARE(readfile(mapFilePath(mProject, "01")), map);
        QCOMPARE(readfile(collisionFilePath(mProject, "01")), templateCollisions() + "\r\n\r\n");
        QCOMPARE(readini("Carte01", "nom", ini()), QStringLiteral("Forêt"));

        doc->reset();
        doc->setHeroStart(5, 3);
        QVERIFY(doc->save().isEmpty());
        const QString zeros = QString(17, u'0') + "\r\n";
        QCOMPARE(readfile(mapFilePath(mProject, "01")), "0503\r\n" + zeros.repeated(9) + "\r\n");
        QCOMPARE(readfile(collisionFilePath(mProject, "01")), zeros.repeated(9) + "\r\n");
    }

    // One document per map; undoing past the save leaves the map unsaved; a texture set,
    // written at once, never makes it unsaved, and its undo writes set 01's key and sheet.
    void documentUndoTracksTheSavedState() {
        auto doc = openMap();
        QCOMPARE(openMap(), doc);
        doc->toggleCollision(5);
        QVERIFY(doc->save().isEmpty());
        doc->undoStack()->undo();
        QVERIFY(doc->isModified());
        doc->undoStack()->redo();
        QVERIFY(!doc->isModified());
        QVERIFY(doc->changeTextureSet("02", mDir + "/data").isEmpty());
        QVERIFY(!doc->isModified());
        QCOMPARE(readini("Carte01", "texture", ini()), QStringLiteral("02"));
        QCOMPARE(bytesOf(mProject + "/images/map01/terrain.png"), QByteArray("sheet 2"));
        doc->undoStack()->undo(); // key and sheet of set 01 again
        QCOMPARE(readini("Carte01", "texture", ini()), QStringLiteral("01"));
        QCOMPARE(bytesOf(mProject + "/images/map01/terrain.png"), QByteArray("tile sheet"));
        QVERIFY(!doc->isModified());
    }

    // A save checks every file before writing any: a refused map file leaves the name and the
    // collisions as they were.
    void saveIsAllOrNothing() {
        auto doc = openMap();
        doc->rename("Autre");
        doc->toggleCollision(0);
        const QByteArray iniBefore = bytesOf(ini());
        const QByteArray evBefore = bytesOf(collisionFilePath(mProject, "01"));
        QFile::setPermissions(mapFilePath(mProject, "01"), QFile::ReadOwner);
        const QString error = doc->save();
        QVERIFY2(error.contains(mapFilePath(mProject, "01")), qPrintable(error));
        QCOMPARE(bytesOf(ini()), iniBefore);
        QCOMPARE(bytesOf(collisionFilePath(mProject, "01")), evBefore);
        QVERIFY(doc->isModified());
    }

    void newMap_data() {
        QTest::addColumn<QString>("cartes");
        QTest::addColumn<QString>("nn");
        QTest::newRow("1") << "1" << "02";
        QTest::newRow("9") << "9" << "10";
    }
    void newMap() {
        QFETCH(QString, cartes);
        QFETCH(QString, nn);
        writeini("Jeu", "cartes", cartes, ini());
        const NewMap added = addNewMap(mApp->appPaths(), mProject);
        QVERIFY2(added.error.isEmpty(), qPrintable(added.error));
        QCOMPARE(added.nn, nn);
        QCOMPARE(readini("Jeu", "cartes", ini()), nn);
        QCOMPARE(readini("Carte" + nn, "texture", ini()), QStringLiteral("01"));
        QCOMPARE(readini("Carte" + nn, "nom", ini()), QStringLiteral("Carte 1"));
        QCOMPARE(readfile(mapFilePath(mProject, nn)), templateMap());
        QCOMPARE(readfile(collisionFilePath(mProject, nn)), templateCollisions());
        QVERIFY(QFileInfo(mProject + "/ev/map" + nn).isDir());
        QCOMPARE(bytesOf(mProject + "/images/map" + nn + "/terrain.png"), QByteArray("tile sheet"));
    }

    void newMapRefused_data() {
        QTest::addColumn<QString>("cartes");   // "-" leaves the key out
        QTest::addColumn<QString>("existing"); // a file of map 02 already there; "ro": read-only ini
        QTest::newRow("no count") << "-" << "";
        QTest::newRow("not a number") << "deux" << "";
        QTest::newRow("map file exists") << "1" << "map02.map";
        QTest::newRow("collision file exists") << "1" << "map02.ev";
        QTest::newRow("projet.ini not writable") << "1" << "ro";
        QTest::newRow("the most maps a project holds") << "10000" << "";
        QTest::newRow("a count past any int") << "2147483647" << "";
    }
    void newMapRefused() {
        QFETCH(QString, cartes);
        QFETCH(QString, existing);
        if (cartes == "-")
            putFile(ini(), "[Jeu]\r\nnom=Jeu\r\n");
        else
            writeini("Jeu", "cartes", cartes, ini());
        if (existing == "ro")
            QFile::setPermissions(ini(), QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
        else if (!existing.isEmpty())
            putFile(mProject + '/' + existing, "mine");
        const QByteArray iniBefore = bytesOf(ini());
        const QStringList filesBefore = QDir(mProject).entryList(QDir::Files);

        const NewMap added = addNewMap(mApp->appPaths(), mProject);
        QVERIFY(!added.error.isEmpty());
        if (existing == "ro")
            QVERIFY2(added.error.contains(ini()), qPrintable(added.error));
        QCOMPARE(bytesOf(ini()), iniBefore);
        QCOMPARE(QDir(mProject).entryList(QDir::Files), filesBefore);
        if (existing.startsWith("map"))
            QCOMPARE(bytesOf(mProject + '/' + existing), QByteArray("mine"));
    }

    // The sets end before the first with an empty nbimg; tile k's picture is "terrain0" then
    // k; the picker reaches ten tiles at most; a set without its sheet is refused.
    void textureSets() {
        const QString data = mDir + "/data";
        for (int sets : {3, 12}) {
            for (int n = 1; n <= sets + 2; ++n)
                putFile(TextureSet(data, n).iniPath(),
                        n == sets + 1 ? "[texture]\r\nnbimg=\r\n" : "[texture]\r\nnbimg=4\r\n");
            QCOMPARE(TextureSet::count(data), sets);
        }
        QCOMPARE(TextureSet(data, 10).tilePath(12), data + "/images/terrains/terrain10/terrain012.JPG");
        putFile(TextureSet(data, 3).iniPath(), "[texture]\r\nnbimg=15\r\n");
        QCOMPARE(TextureSet(data, 3).pickerMaximum(), 10);
        putFile(mProject + "/images/map01/terrain.png", "old sheet");
        QCOMPARE(TextureSet(mDir + "/data", 5).applyTo(mProject, "01"),
                 TextureSet::ApplyResult::SheetMissing);
        QCOMPARE(readini("Carte01", "texture", ini()), QStringLiteral("01"));
        QCOMPARE(bytesOf(mProject + "/images/map01/terrain.png"), QByteArray("old sheet"));
    }

    void cacheReadsAgainAChangedPicture() {
        const QString path = mDir + "/tile.JPG";
        QVERIFY(saveSolid(path, Qt::red));
        TileCache cache;
        QVERIFY(nearColour(cache.picture(path).pixelColor(5, 5), Qt::red));
        // The same size on disk is possible: a changed modification time is enough.
        QVERIFY(saveSolid(path, Qt::blue));
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadWrite));
        QVERIFY(f.setFileTime(QDateTime::currentDateTime().addSecs(60),
                              QFileDevice::FileModificationTime));
        f.close();
        QVERIFY(nearColour(cache.picture(path).pixelColor(5, 5), Qt::blue));
    }

    void unpaintedCellsKeepOldPixels() {
        MapRenderer renderer(Qt::yellow);
        // Not decimal numbers, or a tile the set lacks; the last cell is tile 1.
        const QStringList tiles = {"", "a", " 1", "-1", "12", "0"};
        renderer.paint(tiles, QStringList(), mDir + "/data", "01");
        for (int i = 0; i < 5; ++i)
            QCOMPARE(renderer.image().pixelColor(i * 28 + 14, 14), QColor(Qt::yellow));
        QVERIFY(nearColour(renderer.image().pixelColor(5 * 28 + 14, 14), tileColour(1, 1)));
    }
};

QTEST_MAIN(TestMapFiles)
#include "test_mapfiles.moc"
