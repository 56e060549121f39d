// Map state and map files: offsets, the two formats, save refusals and "Nouvelle carte".

#include "maps/mapfiles.h"
#include "maps/mapstate.h"
#include "shell/appfolder.h"

#include <QFileInfo>
#include <QTest>


class TestMapFiles : public QObject {
    Q_OBJECT

private:
    AppFolder* mApp = nullptr;
    QString mProject;

private slots:
    void init() {
        mApp = new AppFolder;
        mProject = makeProject(mApp->dir.path(), QStringLiteral("Jeu"), 1);
    }
    void cleanup() { delete mApp; }

    void cellOffsets_data() {
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("column");
        QTest::addColumn<int>("slot");
        QTest::addColumn<int>("mapChar");  // 1-based position in the map file
        QTest::addColumn<int>("evChar");   // 1-based position in the collision file
        QTest::newRow("top left") << 1 << 1 << 0 << 7 << 1;
        QTest::newRow("top right") << 1 << 17 << 16 << 23 << 17;
        QTest::newRow("row 2 column 1") << 2 << 1 << 17 << 26 << 20;
        QTest::newRow("last shown cell") << 8 << 17 << 135 << 7 + 7 * 19 + 16 << 1 + 7 * 19 + 16;
    }
    void cellOffsets() {
        QFETCH(int, row);
        QFETCH(int, column);
        QFETCH(int, slot);
        QFETCH(int, mapChar);
        QFETCH(int, evChar);
        QCOMPARE(cellSlot(row, column), slot);
        QString map(6 + 8 * 19, u'0');
        QString ev(8 * 19, u'0');
        map[mapChar - 1] = u'7';
        ev[evChar - 1] = u'1';
        MapState state;
        state.loadRows(map, ev);
        QCOMPARE(state.maptiles[slot], QStringLiteral("7"));
        QCOMPARE(state.mapcoll[slot], QStringLiteral("1"));
        QCOMPARE(state.maptiles.at(slot == 0 ? 1 : 0), QStringLiteral("0"));
    }

    void loadReadsHeaderNameAndCells() {
        writefile(QStringLiteral("1703\r\n") + templateMap().mid(6), mapFilePath(mProject, "01"));
        MapState state;
        const MapLoad load = loadMap(state, mProject, QStringLiteral("01"));
        QVERIFY(load.valid);
        QCOMPARE(load.heroX, QStringLiteral("17"));
        QCOMPARE(load.heroY, QStringLiteral("03"));
        QCOMPARE(load.name, QStringLiteral("Carte 1"));
        QCOMPARE(state.maptiles[cellSlot(3, 4)], QStringLiteral("7"));
        QCOMPARE(state.mapcoll[cellSlot(3, 3)], QStringLiteral("1"));
        QVERIFY(state.maptiles[136].isEmpty());  // the 9th row is never loaded

        QVERIFY(saveMap(state, true, mProject, "01", load.name, load.heroX, load.heroY).isEmpty());
        QVERIFY(readfile(mapFilePath(mProject, "01")).startsWith(QStringLiteral("1703\r\n")));
    }

    void shortFilesGiveEmptyCells() {
        writefile(QStringLiteral("0101\r\n123"), mapFilePath(mProject, "01"));
        QFile::remove(collisionFilePath(mProject, "01"));
        MapState state;
        QVERIFY(loadMap(state, mProject, "01").valid);
        QCOMPARE(state.maptiles[2], QStringLiteral("3"));
        QCOMPARE(state.maptiles[3], QStringLiteral("\r"));  // taken as it stands
        QVERIFY(state.maptiles[5].isEmpty());                // beyond the end of the file
        QVERIFY(state.mapcoll[0].isEmpty());
    }

    void missingMapLeavesCells() {
        MapState state;
        loadMap(state, mProject, "01");
        const MapState before = state;
        const MapLoad load = loadMap(state, mProject, QStringLiteral("05"));
        QVERIFY(!load.valid);
        QVERIFY(load.heroX.isEmpty() && load.heroY.isEmpty());
        QCOMPARE(state.maptiles, before.maptiles);
        QCOMPARE(state.mapcoll, before.mapcoll);
    }

    void headerOfSavedMap_data() {
        QTest::addColumn<QString>("x");
        QTest::addColumn<QString>("y");
        QTest::addColumn<QString>("header");
        QTest::newRow("5, 3") << "5" << "3" << "0503";
        QTest::newRow("12, 8") << "12" << "8" << "1208";
        QTest::newRow("leading zeros") << "05" << "03" << "0503";
        QTest::newRow("17, 3 as loaded") << "17" << "03" << "1703";
    }
    void headerOfSavedMap() {
        QFETCH(QString, x);
        QFETCH(QString, y);
        QFETCH(QString, header);
        MapState state;
        state.reset();
        QVERIFY(saveMap(state, true, mProject, "01", "Carte 1", x, y).isEmpty());
        QVERIFY(readfile(mapFilePath(mProject, "01")).startsWith(header + QStringLiteral("\r\n")));
    }

    void roundTripWritesEmptyNinthRowThenZerosAfterReset() {
        MapState state;
        const MapLoad load = loadMap(state, mProject, "01");
        QVERIFY(saveMap(state, true, mProject, "01", load.name, load.heroX, load.heroY).isEmpty());
        QCOMPARE(readfile(mapFilePath(mProject, "01")), templateMap() + QStringLiteral("\r\n\r\n"));
        QCOMPARE(readfile(collisionFilePath(mProject, "01")),
                 templateCollisions() + QStringLiteral("\r\n\r\n"));

        state.reset();
        QVERIFY(saveMap(state, true, mProject, "01", load.name, load.heroX, load.heroY).isEmpty());
        const QString zeros = QString(17, u'0') + QStringLiteral("\r\n");
        QCOMPARE(readfile(mapFilePath(mProject, "01")),
                 QStringLiteral("0503\r\n") + zeros.repeated(9) + QStringLiteral("\r\n"));
        QCOMPARE(readfile(collisionFilePath(mProject, "01")),
                 zeros.repeated(9) + QStringLiteral("\r\n"));
    }

    void saveWritesTheName() {
        MapState state;
        loadMap(state, mProject, "01");
        QVERIFY(saveMap(state, true, mProject, "01", "Forêt", "1", "1").isEmpty());
        QCOMPARE(readini("carte01", "nom", mProject + "/projet.ini"), QStringLiteral("Forêt"));
    }

    void refusedSavesWriteNothing_data() {
        QTest::addColumn<bool>("cellsAreThisMap");
        QTest::addColumn<QString>("x");
        QTest::addColumn<QString>("y");
        QTest::addColumn<QString>("why");
        QTest::newRow("after a refused load") << false << "" << "" << "n'a pas pu être chargée";
        QTest::newRow("cells of another map") << false << "5" << "3" << "n'a pas pu être chargée";
        QTest::newRow("empty hero start") << true << "" << "" << "n'est pas un nombre";
        QTest::newRow("letters") << true << "ab" << "3" << "n'est pas un nombre";
        QTest::newRow("negative") << true << "-1" << "3" << "n'est pas un nombre";
        QTest::newRow("three digits") << true << "5" << "100" << "n'est pas un nombre";
    }
    void refusedSavesWriteNothing() {
        QFETCH(bool, cellsAreThisMap);
        QFETCH(QString, x);
        QFETCH(QString, y);
        QFETCH(QString, why);
        MapState state;
        loadMap(state, mProject, "01");
        const QByteArray ini = bytesOf(mProject + "/projet.ini");
        const QString error = saveMap(state, cellsAreThisMap, mProject, "02", "Nouveau", x, y);
        QVERIFY2(error.contains(why), qPrintable(error));
        QVERIFY(!QFileInfo::exists(mapFilePath(mProject, "02")));
        QVERIFY(!QFileInfo::exists(collisionFilePath(mProject, "02")));
        QCOMPARE(bytesOf(mProject + "/projet.ini"), ini);
    }

    void failedWriteNamesTheFile() {
        MapState state;
        loadMap(state, mProject, "01");
        const QString map = mapFilePath(mProject, "01");
        const QByteArray before = bytesOf(map);
        QFile::setPermissions(map, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
        state.reset();
        const QString error = saveMap(state, true, mProject, "01", "Carte 1", "1", "1");
        QVERIFY2(error.contains(map), qPrintable(error));
        QCOMPARE(bytesOf(map), before);
    }

    void newMapFollowsTheCount_data() {
        QTest::addColumn<QString>("cartes");
        QTest::addColumn<QString>("nn");
        QTest::newRow("one map") << "1" << "02";
        QTest::newRow("nine maps") << "9" << "10";
        QTest::newRow("stored as 02") << "02" << "03";
    }
    void newMapFollowsTheCount() {
        QFETCH(QString, cartes);
        QFETCH(QString, nn);
        const QString ini = mProject + "/projet.ini";
        writeini("Jeu", "cartes", cartes, ini);
        const NewMap added = addNewMap(mApp->dir.path(), mProject);
        QVERIFY2(added.error.isEmpty(), qPrintable(added.error));
        QCOMPARE(added.nn, nn);
        QCOMPARE(readini("Jeu", "cartes", ini), nn);
        QCOMPARE(readini("Carte" + nn, "texture", ini), QStringLiteral("01"));
        QCOMPARE(readini("Carte" + nn, "nom", ini), QStringLiteral("Carte 1"));
        QCOMPARE(readfile(mapFilePath(mProject, nn)), templateMap());
        QCOMPARE(readfile(collisionFilePath(mProject, nn)), templateCollisions());
        QVERIFY(QFileInfo(mProject + "/ev/map" + nn).isDir());
        QCOMPARE(bytesOf(mProject + "/images/map" + nn + "/terrain.png"), QByteArray("tile sheet"));
    }

    void newMapKeepsExistingFolders() {
        QDir().mkpath(mProject + "/ev/map02");
        putFile(mProject + "/ev/map02/ev11", "\r\naffichertexte(\"a\")\r\n");
        const NewMap added = addNewMap(mApp->dir.path(), mProject);
        QVERIFY(added.error.isEmpty());
        QCOMPARE(bytesOf(mProject + "/ev/map02/ev11"), QByteArray("\r\naffichertexte(\"a\")\r\n"));
    }

    void newMapNeverOverwrites_data() {
        QTest::addColumn<QString>("cartes");     // "-" leaves the key out
        QTest::addColumn<QString>("existing");   // a file of map 02 that exists already
        QTest::newRow("no count") << "-" << "";
        QTest::newRow("empty count") << "" << "";
        QTest::newRow("not a number") << "deux" << "";
        QTest::newRow("map file exists") << "1" << "map02.map";
        QTest::newRow("collision file exists") << "1" << "map02.ev";
    }
    void newMapNeverOverwrites() {
        QFETCH(QString, cartes);
        QFETCH(QString, existing);
        const QString ini = mProject + "/projet.ini";
        if (cartes == "-")
            putFile(ini, "[Jeu]\r\nnom=Jeu\r\n");
        else
            writeini("Jeu", "cartes", cartes, ini);
        if (!existing.isEmpty())
            putFile(mProject + '/' + existing, "mine");
        const QByteArray iniBefore = bytesOf(ini);
        const QStringList filesBefore = QDir(mProject).entryList(QDir::Files);

        const NewMap added = addNewMap(mApp->dir.path(), mProject);
        QVERIFY(!added.error.isEmpty());
        QVERIFY(added.error.startsWith(QStringLiteral("Erreur")));
        QCOMPARE(bytesOf(ini), iniBefore);
        QCOMPARE(QDir(mProject).entryList(QDir::Files), filesBefore);
        if (!existing.isEmpty())
            QCOMPARE(bytesOf(mProject + '/' + existing), QByteArray("mine"));
    }

    void newMapUnwritableIniAddsNoFiles() {
        const QString ini = mProject + "/projet.ini";
        QFile::setPermissions(ini, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
        const NewMap added = addNewMap(mApp->dir.path(), mProject);
        QVERIFY2(added.error.contains(ini), qPrintable(added.error));
        QVERIFY(!QFileInfo::exists(mapFilePath(mProject, "02")));
        QVERIFY(!QFileInfo::exists(collisionFilePath(mProject, "02")));
    }
};

QTEST_GUILESS_MAIN(TestMapFiles)
#include "test_mapfiles.moc"
