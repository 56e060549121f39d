// Generation of variables.lua and ev.lua.

#include "build/compiler.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

QByteArray fileBytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

void putBytes(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

QByteArray emptyBlock(int row, int column) {
    return "\r\n    if ligne == " + QByteArray::number(row) + " and colonne == " +
           QByteArray::number(column) + " then\r\n    \r\n    end\r\n\r\n";
}

// The whole of ev.lua for maps whose cells are all empty except the given ones.
QByteArray expectedEvents(int maps, const QHash<QString, QByteArray>& contents = {}) {
    QByteArray out = "function runev(colonne,ligne,map)\r\n";
    for (int m = 1; m <= maps; ++m) {
        const QByteArray mm = (m < 10 ? "0" : "") + QByteArray::number(m);
        out += "if map == \"" + mm + "\" then\r\n";
        for (int r = 1; r <= 9; ++r)
            for (int c = 1; c <= 17; ++c) {
                const QString key = QString("%1/%2/%3").arg(m).arg(r).arg(c);
                out += "\r\n    if ligne == " + QByteArray::number(r) + " and colonne == " +
                       QByteArray::number(c) + " then\r\n    " + contents.value(key) +
                       "\r\n    end\r\n\r\n";
            }
        out += "end\r\n";
    }
    return out + "\r\nend\r\n";
}

} // namespace

class TestCompiler : public QObject {
    Q_OBJECT

private slots:
    void init() {
        mDir.reset(new QTemporaryDir);
        QVERIFY(mDir->isValid());
        mApp = mDir->path();
        mProject = mApp + "/projets/Jeu";
        QVERIFY(QDir().mkpath(mProject + "/ev/map01"));
    }

    void workedExample() {
        putBytes(mProject + "/projet.ini",
                 "[Jeu]\r\nnom=Aventure\r\nauteur=Moi\r\ncartes=1\r\ncombats=0\r\n[Variables]\r\n"
                 "nombre=2\r\n[Variable1]\r\nvaleur=0\r\n[Variable2]\r\nvaleur=Anonyme\r\n");
        putBytes(mProject + "/ev/map01/ev23", "\r\nscreen.waitVblankStart(30)\r\n");
        // A template ev.lua is replaced whole.
        putBytes(mProject + "/ev.lua", "-- modele\r\n");

        const CompileResult result = compiler(mApp, "Jeu");
        QVERIFY(result.variablesWritten);
        QVERIFY(result.eventsWritten);
        QCOMPARE(result.summary.name, QString("Jeu"));
        QCOMPARE(result.summary.author, QString("Moi"));
        QCOMPARE(result.summary.maps, QString("1"));
        QCOMPARE(result.summary.combats, QString("0"));

        QCOMPARE(fileBytes(mProject + "/variables.lua"),
                 QByteArray("--Variables du jeu\r\nvar = {}\r\nvar[1] = \"0\"\r\n"
                            "var[2] = \"Anonyme\"\r\n\r\n"));

        const QByteArray ev = fileBytes(mProject + "/ev.lua");
        QVERIFY(ev.endsWith("\r\n"));
        const QList<QByteArray> lines = ev.chopped(2).split('\n');
        QCOMPARE(lines.size(), 772);
        for (const QByteArray& line : lines.mid(0, 771))
            QVERIFY(line.endsWith('\r'));
        auto line = [&](int n) { return lines[n - 1].chopped(n == 772 ? 0 : 1); };
        QCOMPARE(line(1), "function runev(colonne,ligne,map)");
        QCOMPARE(line(2), "if map == \"01\" then");
        QCOMPARE(line(3), "");
        QCOMPARE(line(4), "    if ligne == 1 and colonne == 1 then");
        QCOMPARE(line(5), "    ");
        QCOMPARE(line(6), "    end");
        QCOMPARE(line(7), "");
        QCOMPARE(line(8), "");
        QCOMPARE(line(9), "    if ligne == 1 and colonne == 2 then");
        QCOMPARE(line(98), "");
        QCOMPARE(line(99), "    if ligne == 2 and colonne == 3 then");
        QCOMPARE(line(100), "    ");
        QCOMPARE(line(101), "screen.waitVblankStart(30)");
        QCOMPARE(line(102), "");
        QCOMPARE(line(103), "    end");
        QCOMPARE(line(104), "");
        QCOMPARE(line(105), "");
        QCOMPARE(line(106), "    if ligne == 2 and colonne == 4 then");
        QCOMPARE(line(766), "    if ligne == 9 and colonne == 17 then");
        QCOMPARE(line(770), "end");
        QCOMPARE(line(771), "");
        QCOMPARE(line(772), "end");
        QCOMPARE(ev, expectedEvents(1, {{"1/2/3", "\r\nscreen.waitVblankStart(30)\r\n"}}));

        // A second build without change gives the same bytes.
        const CompileResult again = compiler(mApp, "Jeu");
        QVERIFY(again.eventsWritten);
        QCOMPARE(fileBytes(mProject + "/ev.lua"), ev);
        QCOMPARE(fileBytes(mProject + "/variables.lua"),
                 QByteArray("--Variables du jeu\r\nvar = {}\r\nvar[1] = \"0\"\r\n"
                            "var[2] = \"Anonyme\"\r\n\r\n"));
    }

    void counts_data() {
        QTest::addColumn<QByteArray>("ini");
        QTest::addColumn<int>("maps");
        QTest::addColumn<QByteArray>("variables");
        const QByteArray bare = "--Variables du jeu\r\nvar = {}\r\n\r\n";
        QTest::newRow("nothing") << QByteArray("[Jeu]\r\ncartes=0\r\n[Variables]\r\nnombre=0\r\n")
                                 << 0 << bare;
        QTest::newRow("02 maps") << QByteArray("[Jeu]\r\ncartes=02\r\n") << 2 << bare;
        QTest::newRow("missing ini") << QByteArray() << 0 << bare;
        QTest::newRow("non-numeric")
            << QByteArray("[Jeu]\r\ncartes=deux\r\n[Variables]\r\nnombre=x\r\n") << 0 << bare;
        QTest::newRow("negative")
            << QByteArray("[Jeu]\r\ncartes=-1\r\n[Variables]\r\nnombre=-2\r\n") << 0 << bare;
        QTest::newRow("quote and backslash kept")
            << QByteArray("[Variables]\r\nnombre=3\r\n[Variable1]\r\nvaleur=a\"b\r\n"
                          "[Variable2]\r\nvaleur=c:\\d\\\r\n")
            << 0
            << QByteArray("--Variables du jeu\r\nvar = {}\r\nvar[1] = \"a\"b\"\r\n"
                          "var[2] = \"c:\\d\\\"\r\nvar[3] = \"\"\r\n\r\n");
    }
    void counts() {
        QFETCH(QByteArray, ini);
        QFETCH(int, maps);
        QFETCH(QByteArray, variables);
        if (!ini.isEmpty())
            putBytes(mProject + "/projet.ini", ini);
        QVERIFY(compiler(mApp, "Jeu").eventsWritten);
        QCOMPARE(fileBytes(mProject + "/variables.lua"), variables);
        const QByteArray ev = fileBytes(mProject + "/ev.lua");
        QCOMPARE(ev, expectedEvents(maps));
        if (maps == 0)
            QCOMPARE(ev, QByteArray("function runev(colonne,ligne,map)\r\n\r\nend\r\n"));
    }

    void cellsAndMaps() {
        putBytes(mProject + "/projet.ini", "[Jeu]\r\ncartes=10\r\n");
        putBytes(mProject + "/ev/map01/ev111", "\r\nrunmap(\"02\")\r\n"); // row 1, column 11
        putBytes(mProject + "/ev/map01/ev11", "\r\n");                     // row 1, column 1
        putBytes(mProject + "/ev/map01/ev12", "x");                        // row 1, column 2
        putBytes(mProject + "/ev/map09/ev917", "\r\na\r\nb\r\n");
        putBytes(mProject + "/ev/map10/EV55", "\r\nend\r\n"); // found ignoring letter case
        const CompileResult result = compiler(mApp, "Jeu");
        QVERIFY(result.eventsWritten);
        const QByteArray ev = fileBytes(mProject + "/ev.lua");
        QCOMPARE(ev, expectedEvents(10, {{"1/1/11", "\r\nrunmap(\"02\")\r\n"},
                                         {"1/1/1", "\r\n"},
                                         {"1/1/2", "x"},
                                         {"9/9/17", "\r\na\r\nb\r\n"},
                                         {"10/5/5", "\r\nend\r\n"}}));
        QVERIFY(ev.contains("if map == \"09\" then"));
        QVERIFY(ev.contains("if map == \"10\" then"));
        // Blocks of 5, 6 and 7 lines.
        QVERIFY(ev.contains(emptyBlock(1, 3)));
        QVERIFY(ev.contains("\r\n    if ligne == 1 and colonne == 1 then\r\n    \r\n\r\n    end\r\n\r\n"));
        QVERIFY(ev.contains("\r\n    if ligne == 1 and colonne == 11 then\r\n    \r\nrunmap(\"02\")"
                            "\r\n\r\n    end\r\n\r\n"));
        QCOMPARE(result.scripts.cells.size(), 5);
        QCOMPARE(result.scripts.cells[0].column, 1);
        QCOMPARE(result.scripts.cells[2].column, 11);
        QCOMPARE(result.scripts.cells[4].map, 10);
    }

    void failedWritesReported() {
        putBytes(mProject + "/projet.ini", "[Jeu]\r\ncartes=1\r\n");
        QVERIFY(QDir().mkpath(mProject + "/ev.lua")); // a folder in the way
        const CompileResult result = compiler(mApp, "Jeu");
        QVERIFY(result.variablesWritten);
        QVERIFY(!result.eventsWritten);
        QCOMPARE(result.eventsPath, mProject + "/ev.lua");
    }

private:
    std::unique_ptr<QTemporaryDir> mDir;
    QString mApp;
    QString mProject;
};

QTEST_GUILESS_MAIN(TestCompiler)
#include "tst_compiler.moc"
