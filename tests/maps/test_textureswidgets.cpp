// The set chooser and the tile picker of the map editor.

#include "maps/texturechooser.h"
#include "project/module1.h"
#include "shell/dialogservice.h"
#include "shell/services.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

class TestTexturesWidgets : public QObject {
    Q_OBJECT
private slots:
    void init() {
        mDir = std::make_unique<QTemporaryDir>();
        QVERIFY(mDir->isValid());
        mDialogs = ScriptedDialogService();
        mServices = std::make_unique<AppServices>(
            AppServices{mDir->path(), mDialogs, mProcesses, mDocuments});
        // Sets 01 (15 tiles) and 02 (4 tiles, with its sheet); map 03 uses set 01.
        for (int set : {1, 2}) {
            const QString folder = setFolder(set);
            QDir().mkpath(folder);
            writefile(set == 1 ? "[texture]\r\nnbimg=15" : "[texture]\r\nnbimg=4",
                      folder + "/texture.ini");
            for (int k = 1; k <= (set == 1 ? 15 : 4); ++k) {
                QImage img(28, 29, QImage::Format_RGB32);
                img.fill(QColor(10 * k, set * 60, 0));
                QVERIFY(img.save(folder + "/terrain0" + QString::number(k) + ".JPG", "JPG"));
            }
        }
        QVERIFY(writeBytes("sheet 2", setFolder(2) + "/terrain01.png"));
        const QString project = mDir->path() + "/projets/jeu";
        QDir().mkpath(project + "/images/map03");
        writefile("[Jeu]\r\ncartes=03\r\n[Carte03]\r\ntexture=01", project + "/projet.ini");
        mHost = std::make_unique<QWidget>();
        mHost->show();
    }
    void cleanup() { mHost.reset(); }

    void chooserGivesTheSetToTheMap() {
        auto* chooser = new TextureChooser(*mServices, project(), map(), mHost.get());
        QSignalSpy applied(chooser, &TextureChooser::textureApplied);
        QVERIFY(chooser->isHidden());
        chooser->toggle();
        QVERIFY(!chooser->isHidden());
        auto* scroll = chooser->findChild<QScrollBar*>("HScroll2");
        QCOMPARE(scroll->maximum(), 2);
        scroll->setValue(2);
        for (int i = 1; i <= 4; ++i)
            QVERIFY(!chooser->findChild<QLabel*>("Image" + QString::number(i))->pixmap().isNull());
        QTest::mouseClick(chooser->findChild<QPushButton*>("Command14"), Qt::LeftButton);
        QCOMPARE(applied.size(), 1);
        QVERIFY(chooser->isHidden());
        QCOMPARE(readini("Carte03", "texture", mDir->path() + "/projets/jeu/projet.ini"),
                 QString("02"));
        QCOMPARE(readfile(mDir->path() + "/projets/jeu/images/map03/terrain.png"),
                 QString("sheet 2"));
        QVERIFY(mDialogs.shown.isEmpty());
    }

    void chooserReportsAMissingSheet() {
        auto* chooser = new TextureChooser(*mServices, project(), map(), mHost.get());
        QSignalSpy applied(chooser, &TextureChooser::textureApplied);
        chooser->toggle();
        QTest::mouseClick(chooser->findChild<QPushButton*>("Command14"), Qt::LeftButton);
        QCOMPARE(applied.size(), 0);
        QCOMPARE(mDialogs.shown.size(), 1);
        QCOMPARE(mDialogs.shown[0].title, QString("Quendal"));
        QCOMPARE(readini("Carte03", "texture", mDir->path() + "/projets/jeu/projet.ini"),
                 QString("01"));
    }

    void pickerStopsAtTenTiles() {
        auto* picker = new TilePicker(*mServices, project(), map(), mHost.get());
        QSignalSpy chosen(picker, &TilePicker::drawingChosen);
        auto* scroll = picker->findChild<QScrollBar*>("Choixtext");
        picker->refresh();
        QCOMPARE(scroll->maximum(), 10); // set 01 has 15 tiles
        scroll->setValue(10);
        QCOMPARE(picker->tileCode(), QString("9"));
        QCOMPARE(chosen.size(), 1);
        QVERIFY(!picker->findChild<QLabel*>("Image5")->pixmap().isNull());
        QTest::mouseClick(picker->findChild<QLabel*>("Image5"), Qt::LeftButton);
        QCOMPARE(chosen.size(), 2);

        // The map now uses set 02 of four tiles: the picker follows.
        writeini("Carte03", "texture", "02", mDir->path() + "/projets/jeu/projet.ini");
        picker->refresh();
        QCOMPARE(scroll->maximum(), 4);
        QCOMPARE(picker->tile(), 4);
    }

private:
    QString setFolder(int set) const {
        return mDir->path() + "/data/images/terrains/terrain" + mapNumberText(set);
    }
    std::function<QString()> project() const {
        return [] { return QStringLiteral("jeu"); };
    }
    std::function<QString()> map() const {
        return [] { return QStringLiteral("03"); };
    }

    std::unique_ptr<QTemporaryDir> mDir;
    ScriptedDialogService mDialogs;
    RecordingProcessService mProcesses;
    RecordingDocumentService mDocuments;
    std::unique_ptr<AppServices> mServices;
    std::unique_ptr<QWidget> mHost;
};

QTEST_MAIN(TestTexturesWidgets)
#include "test_textureswidgets.moc"
