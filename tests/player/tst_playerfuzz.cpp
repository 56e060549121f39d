// A seeded random script (fuzz.lua) calls the player's API with hostile arguments for a few
// seconds: the player must neither crash nor hang, and the script must end normally.
#include "luarun.h"
#include "player/wavfile.h"
#include "testsupport/files.h"

#include <QTemporaryDir>
#include <QTest>

namespace {

int gQtMessages = 0;

// Empty and overlong names make Qt warn at every file call: counted, not printed.
void countMessage(QtMsgType, const QMessageLogContext&, const QString&) {
    ++gQtMessages;
}

} // namespace

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
        const QtMessageHandler previous = qInstallMessageHandler(countMessage);
        const LuaRun run = runLua("System.currentDirectory('" + QFile::encodeName(dir.path()) +
                                  "') SEED = 20240611 SECONDS = 3\n" + script);
        qInstallMessageHandler(previous);
        QCOMPARE(run.error, QString());
        QCOMPARE(run.status, 0);
        const QByteArray calls = bytesOf(dir.filePath("count.txt"));
        qInfo("%s calls, %d Qt warnings", calls.constData(), gQtMessages);
        QVERIFY(calls.toInt() >= 1000);
    }
};

QTEST_MAIN(TestPlayerFuzz)
#include "tst_playerfuzz.moc"
