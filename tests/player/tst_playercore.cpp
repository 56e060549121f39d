// The player's plain classes: case-insensitive paths, keys and scripted buttons, the window's
// input and letterbox, and the decoding of Lua strings.
#include "player/buttonscript.h"
#include "player/casepath.h"
#include "player/pad.h"
#include "player/playerwindow.h"
#include "player/textcodec.h"

#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QTemporaryDir>
#include <QTest>

class TestPlayerCore : public QObject {
    Q_OBJECT
private slots:
    void resolveCase_data();
    void resolveCase();
    void keysByPhysicalPlace_data();
    void keysByPhysicalPlace();
    void windowKeys();
    void letterbox_data();
    void letterbox();
    void buttonScriptErrors_data();
    void buttonScriptErrors();
    void decodeLuaText_data();
    void decodeLuaText();
};

void TestPlayerCore::resolveCase_data() {
    QTest::addColumn<QString>("asked");
    QTest::addColumn<QString>("found");
    QTest::newRow("exact") << "Images/Hero.PNG" << "Images/Hero.PNG";
    QTest::newRow("file case") << "Images/hero.png" << "Images/Hero.PNG";
    QTest::newRow("folder and file case") << "IMAGES/HERO.png" << "Images/Hero.PNG";
    QTest::newRow("dot parts kept") << "./images/../IMAGES/hero.png" << "./Images/../Images/Hero.PNG";
    QTest::newRow("new file in a known folder") << "images/nouveau.png" << "Images/nouveau.png";
    QTest::newRow("missing folder kept as written") << "autre/Dossier/x.png" << "autre/Dossier/x.png";
    QTest::newRow("folder") << "images" << "Images";
    QTest::newRow("empty") << "" << "";
}

void TestPlayerCore::resolveCase() {
    QFETCH(QString, asked);
    QFETCH(QString, found);
    QTemporaryDir dir;
    QDir(dir.path()).mkpath("Images");
    QFile f(dir.filePath("Images/Hero.PNG"));
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.close();
    const QString before = QDir::currentPath();
    QDir::setCurrent(dir.path());
    const QString relative = ::resolveCase(asked);
    const QString absolute = ::resolveCase(dir.path() + "/" + asked);
    QDir::setCurrent(before);
    QCOMPARE(relative, found);
    if (!asked.isEmpty())
        QCOMPARE(absolute, dir.path() + "/" + found);
}

void TestPlayerCore::keysByPhysicalPlace_data() {
    QTest::addColumn<quint32>("scanCode");
    QTest::addColumn<int>("key");
    QTest::addColumn<quint32>("button");
    QTest::newRow("arrow") << 111u << int(Qt::Key_Up) << quint32(PadMask::Up);
    QTest::newRow("C is cross") << 54u << int(Qt::Key_C) << quint32(PadMask::Cross);
    QTest::newRow("qwerty Q is L") << 24u << int(Qt::Key_Q) << quint32(PadMask::LTrigger);
    QTest::newRow("azerty A at the Q place is L") << 24u << int(Qt::Key_A) << quint32(PadMask::LTrigger);
    QTest::newRow("azerty Q at the A place is select") << 38u << int(Qt::Key_Q) << quint32(PadMask::Select);
    QTest::newRow("azerty Z at the W place is R") << 25u << int(Qt::Key_Z) << quint32(PadMask::RTrigger);
    QTest::newRow("azerty W elsewhere is nothing") << 52u << int(Qt::Key_W) << 0u;
    QTest::newRow("no code: by letter") << 0u << int(Qt::Key_S) << quint32(PadMask::Start);
    QTest::newRow("no code: F is circle") << 0u << int(Qt::Key_F) << quint32(PadMask::Circle);
    QTest::newRow("other key") << 0u << int(Qt::Key_Space) << 0u;
}

void TestPlayerCore::keysByPhysicalPlace() {
    QFETCH(quint32, scanCode);
    QFETCH(int, key);
    QFETCH(quint32, button);
    QCOMPARE(padButtonForKey(scanCode, key), button);
}

void TestPlayerCore::windowKeys() {
    PlayerWindow window;
    const auto send = [&](QEvent::Type type, int key, quint32 code, bool repeat = false) {
        QKeyEvent e(type, key, Qt::NoModifier, code, 0, 0, QString(), repeat);
        QCoreApplication::sendEvent(&window, &e);
    };
    send(QEvent::KeyPress, Qt::Key_A, 24); // AZERTY A: L trigger
    send(QEvent::KeyPress, Qt::Key_Right, 114);
    QCOMPARE(window.heldButtons(), quint32(PadMask::LTrigger | PadMask::Right));
    send(QEvent::KeyRelease, Qt::Key_A, 24, true); // auto-repeat release: still held
    QCOMPARE(window.heldButtons(), quint32(PadMask::LTrigger | PadMask::Right));
    send(QEvent::KeyRelease, Qt::Key_A, 24);
    QCOMPARE(window.heldButtons(), quint32(PadMask::Right));
    send(QEvent::KeyPress, Qt::Key_S, 39, true); // a repeat alone does not press
    QCOMPARE(window.heldButtons(), quint32(PadMask::Right));
    QFocusEvent out(QEvent::FocusOut);
    QCoreApplication::sendEvent(&window, &out);
    QCOMPARE(window.heldButtons(), 0u);
    QVERIFY(!window.closeRequested());
    send(QEvent::KeyPress, Qt::Key_Escape, 9);
    QVERIFY(window.closeRequested());
}

void TestPlayerCore::letterbox_data() {
    QTest::addColumn<QSize>("window");
    QTest::addColumn<QRect>("shown");
    QTest::newRow("default double size") << QSize(960, 544) << QRect(0, 0, 960, 544);
    QTest::newRow("wider: bars left and right") << QSize(1100, 544) << QRect(70, 0, 960, 544);
    QTest::newRow("whole factor only") << QSize(1000, 600) << QRect(20, 28, 960, 544);
    QTest::newRow("full hd") << QSize(1920, 1080) << QRect(240, 132, 1440, 816);
    QTest::newRow("smaller than the console") << QSize(240, 200) << QRect(0, 32, 240, 136);
}

void TestPlayerCore::letterbox() {
    QFETCH(QSize, window);
    QFETCH(QRect, shown);
    PlayerWindow w;
    w.resize(window);
    QCOMPARE(w.screenRect(), shown);
}

void TestPlayerCore::buttonScriptErrors_data() {
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QString>("message");
    QTest::newRow("bad frame") << QByteArray("0 cross\nx start\n") << "line 2: bad frame number 'x'";
    QTest::newRow("negative frame") << QByteArray("-1 cross\n") << "line 1: bad frame number '-1'";
    QTest::newRow("unknown button") << QByteArray("\n\n3 cross jump\n") << "line 3: unknown button 'jump'";
}

void TestPlayerCore::buttonScriptErrors() {
    QFETCH(QByteArray, text);
    QFETCH(QString, message);
    try {
        ButtonScript::parse(text);
        QFAIL("no error");
    } catch (const std::runtime_error& e) {
        QVERIFY2(QString::fromUtf8(e.what()).contains(message), e.what());
    }
    const ButtonScript ok = ButtonScript::parse("10 r  L # both triggers\n 4 up\r\n");
    QCOMPARE(ok.buttonsAt(3), 0u);
    QCOMPARE(ok.buttonsAt(9), quint32(PadMask::Up));
    QCOMPARE(ok.buttonsAt(1000), quint32(PadMask::LTrigger | PadMask::RTrigger));
}

void TestPlayerCore::decodeLuaText_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");
    QTest::newRow("ascii") << QByteArray("Hello") << "Hello";
    QTest::newRow("utf-8") << QByteArray("\xC3\xA9l\xC3\xA8ve \xE2\x82\xAC") << QString::fromUtf8("élève €");
    QTest::newRow("windows-1252") << QByteArray("\xE9l\xE8ve \x80 \x92") << QString::fromUtf8("élève € ’");
    QTest::newRow("mostly utf-8 with one stray byte") << QByteArray("\xC3\xA9\xE9") << QString::fromUtf8("Ã©é");
}

void TestPlayerCore::decodeLuaText() {
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    QCOMPARE(::decodeLuaText(bytes), text);
}

QTEST_MAIN(TestPlayerCore)
#include "tst_playercore.moc"
