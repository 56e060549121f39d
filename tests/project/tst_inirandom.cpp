// The INI invariants under seeded random writes to one file: a read gives back what was written
// (any Windows-1252 character, names in any case), other keys and untouched lines keep theirs,
// a refused pair changes nothing, and writing the value held already leaves bytes and time.
#include "project/cp1252.h"
#include "project/inifile.h"
#include "project/module1.h"
#include "testsupport/files.h"

#include <QDateTime>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

namespace {

// Letters whose other case is a single character of the code page, digits and separators.
const QString kNameChars = QStringLiteral("abcdefghijklmnopqrstuvwxyzéèêàçœ0123456789 _-.");

struct Pair {
    QString section;
    QString key;
    QString value;
};

class Random {
public:
    explicit Random(quint32 seed) : mGenerator(seed) {}
    int below(int n) { return int(mGenerator.bounded(n)); }
    bool chance(int percent) { return below(100) < percent; }

    // A name as a writer gives it, behind a letter: no blank at either end.
    QString name(QChar first) {
        QString s = first;
        for (int i = below(12); i >= 0; --i)
            s += kNameChars[below(int(kNameChars.size()))];
        return s.trimmed();
    }
    // The same name with letters in random case: it names the same entry.
    QString recased(const QString& name) {
        QString s = name;
        for (QChar& c : s)
            c = chance(50) ? c.toUpper() : c.toLower();
        return s;
    }
    // A value that reads back as itself: any character of the code page but the line
    // breaks, at most 254, no blank at either end, not wrapped in a pair of quotes.
    QString value() {
        QByteArray bytes;
        for (int i = chance(10) ? 254 : below(40); i > 0; --i)
            bytes += char(1 + below(255));
        bytes.replace('\r', 'r').replace('\n', 'n');
        QString v = fromCp1252(bytes).remove(QRegularExpression("^[ \t]+|[ \t]+$"));
        if (v.size() >= 2 && (v.front() == u'"' || v.front() == u'\'') && v.back() == v.front())
            v.chop(1);
        return v;
    }
    // A pair that would break the file.
    Pair unwritable(const Pair& p) {
        switch (below(4)) {
        case 0: return {p.section + u']', p.key, p.value};
        case 1: return {p.section, p.key + u'=', p.value};
        case 2: return {p.section, p.key, p.value + QStringLiteral("\r\n[X]")};
        default: return {p.section, u'[' + p.key, p.value};
        }
    }

private:
    QRandomGenerator mGenerator;
};

} // namespace

class TestIniRandom : public QObject {
    Q_OBJECT
private slots:
    void randomWrites_data() {
        QTest::addColumn<quint32>("seed");
        for (quint32 seed : {1u, 1252u, 20240611u})
            QTest::newRow(qPrintable(QString::number(seed))) << seed;
    }
    void randomWrites() {
        QFETCH(quint32, seed);
        Random random(seed);
        QTemporaryDir dir;
        const QString ini = dir.filePath("projet.ini");
        // A first section that no write names, with bytes of every kind (undefined ones of
        // the code page too): it must stay byte for byte.
        QByteArray untouched = "[Autre]";
        for (int i = 0; i < 150; ++i)
            untouched += (i % 30 ? "" : "\r\na") + QByteArray(1, char(0x20 + random.below(0xE0)));
        untouched += "\r\n";
        QVERIFY(putFile(ini, untouched));

        QStringList sections, keys;
        for (int i = 0; i < 10; ++i) {
            if (i < 4)
                sections << random.name(u'S');
            keys << random.name(u'k');
        }
        // The entries written so far, by their names in lower case: names match ignoring case.
        QMap<QString, Pair> model;
        for (int step = 0; step < 200; ++step) {
            const QByteArray before = bytesOf(ini);
            const Pair* known = model.isEmpty() ? nullptr
                                                : &*std::next(model.cbegin(), random.below(int(model.size())));
            if (known && random.chance(15)) {
                // The value the file holds already: no write at all.
                QFile file(ini);
                QVERIFY(file.open(QIODevice::ReadOnly));
                QVERIFY(file.setFileTime(QDateTime(QDate(2001, 1, 1), QTime(0, 0)), QFileDevice::FileModificationTime));
                file.close();
                const QDateTime stamp = QFileInfo(ini).lastModified();
                QVERIFY(writeini(random.recased(known->section), random.recased(known->key), known->value, ini));
                QCOMPARE(bytesOf(ini), before);
                QCOMPARE(QFileInfo(ini).lastModified(), stamp);
                continue;
            }
            const Pair pair{sections[random.below(4)], keys[random.below(10)], random.value()};
            if (random.chance(10)) {
                const Pair bad = random.unwritable(pair);
                QVERIFY(!writeini(bad.section, bad.key, bad.value, ini));
                QCOMPARE(bytesOf(ini), before);
                continue;
            }
            QVERIFY(writeini(random.recased(pair.section), random.recased(pair.key), pair.value, ini));
            model.insert((pair.section + u'\n' + pair.key).toLower(), pair);
            QVERIFY(bytesOf(ini).startsWith(untouched));
            for (const Pair& e : std::as_const(model))
                QCOMPARE(readini(random.recased(e.section), random.recased(e.key), ini), e.value);
        }
    }
};

QTEST_GUILESS_MAIN(TestIniRandom)
#include "tst_inirandom.moc"
