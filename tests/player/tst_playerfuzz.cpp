// fuzz.lua calls the API with seeded hostile arguments for a few seconds: no crash, no hang.
#include "luarun.h"
#include "player/wavfile.h"
#include "testsupport/files.h"

#include <QTemporaryDir>
#include <QTest>

class TestPlayerFuzz : public QObject {
    Q_OBJECT
private slots:
    void hostileCalls() {
        const QByteArray script = bytesOf(QStringLiteral(QUENDAL_SOURCE_DIR "/tests/player/fuzz.lua"));
        QVERIFY(!script.isEmpty());
        QTemporaryDir dir;
        PcmSound tick;
        tick.samples = {0, 8000, -8000, 0};
        QVERIFY(putFile(dir.filePath("x.wav"), encodeWav(tick)));
        // Empty and overlong names make Qt warn at every file call: not printed.
        const QtMessageHandler previous = qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
        const LuaRun run = runLua("System.currentDirectory('" + QFile::encodeName(dir.path()) +
                                  "') SEED = 20240611 SECONDS = 3\n" + script);
        qInstallMessageHandler(previous);
        QCOMPARE(run.error, QString());
        QCOMPARE(run.status, 0);
        const QByteArray calls = bytesOf(dir.filePath("count.txt"));
        qInfo("%s calls", calls.constData());
        QVERIFY(calls.toInt() >= 1000);
    }
};

QTEST_MAIN(TestPlayerFuzz)
#include "tst_playerfuzz.moc"
