// The user's guide Doc/index.html: one page that opens on its own. Every picture and file it
// points to is in Doc/, every link inside the page leads to an anchor, every section is in
// the table of contents, and every picture under Doc/images is used.

#include <QDir>
#include <QFile>
#include <QImage>
#include <QRegularExpression>
#include <QSet>
#include <QStringConverter>
#include <QTest>

namespace {

const QString kDoc = QStringLiteral(QUENDAL_SOURCE_DIR "/Doc");

QString page() {
    QFile f(kDoc + "/index.html");
    if (!f.open(QIODevice::ReadOnly))
        return {};
    auto decode = QStringDecoder(QStringDecoder::Utf8);
    QString text = decode(f.readAll());
    return decode.hasError() ? QString() : text;
}

// Every value of the pattern's first group, in page order.
QStringList captures(const QString& text, const QString& pattern) {
    QStringList found;
    auto it = QRegularExpression(pattern).globalMatch(text);
    while (it.hasNext())
        found << it.next().captured(1);
    return found;
}

// Files the page points to: src and href attributes and CSS url(), anchors left out.
QStringList references(const QString& text) {
    QStringList refs = captures(text, "\\b(?:src|href)\\s*=\\s*\"([^\"#][^\"]*)\"") +
                       captures(text, "url\\(\\s*['\"]?([^'\")]+)['\"]?\\s*\\)");
    refs.removeDuplicates();
    return refs;
}

} // namespace

class TestDoc : public QObject {
    Q_OBJECT

private slots:
    // No script, frame, outside style or outside resource; every picture of Doc/images shown.
    void pageIsSelfContained() {
        const QString text = page();
        QVERIFY2(!text.isEmpty(), "Doc/index.html is missing, empty or not UTF-8");
        QVERIFY(text.contains("<meta charset=\"utf-8\">"));
        QVERIFY(text.contains("lang=\"fr\""));
        for (const char* tag : {"<script", "<link", "<iframe"})
            QVERIFY2(!text.contains(tag, Qt::CaseInsensitive), tag);
        const QStringList refs = references(text);
        for (const QString& ref : refs)
            QVERIFY2(!ref.contains(u':') && !ref.startsWith("//"), qPrintable("external: " + ref));
        const QStringList files = QDir(kDoc + "/images").entryList(QDir::Files);
        QVERIFY(!files.isEmpty());
        for (const QString& file : files)
            QVERIFY2(refs.contains("images/" + file), qPrintable(file + " is unused"));
    }

    void referencedFilesExist_data() {
        QTest::addColumn<QString>("ref");
        const QStringList refs = references(page());
        QVERIFY(refs.size() >= 10);
        for (const QString& ref : refs)
            QTest::newRow(qPrintable(ref)) << ref;
    }
    void referencedFilesExist() {
        QFETCH(QString, ref);
        QVERIFY2(!ref.contains(".."), "stays inside Doc/");
        const QString path = kDoc + u'/' + ref;
        QVERIFY2(QFile::exists(path), qPrintable(path));
        if (ref.endsWith(".png")) {
            const QImage picture(path);
            QVERIFY2(!picture.isNull(), qPrintable(path + " is no picture"));
            QVERIFY(picture.width() >= 100 && picture.height() >= 50);
        }
    }

    // Anchors are unique and every link inside the page reaches one; every section heading
    // is in the table of contents.
    void linksAndContents() {
        const QString text = page();
        const QStringList ids = captures(text, "\\bid\\s*=\\s*\"([^\"]+)\"");
        const QSet<QString> unique(ids.begin(), ids.end());
        QCOMPARE(unique.size(), ids.size());
        const QStringList anchors = captures(text, "\\bhref\\s*=\\s*\"#([^\"]*)\"");
        QVERIFY(anchors.size() >= 20);
        for (const QString& anchor : anchors)
            QVERIFY2(unique.contains(anchor), qPrintable('#' + anchor));
        const int navStart = text.indexOf("<nav"), navEnd = text.indexOf("</nav>");
        QVERIFY(navStart >= 0 && navEnd > navStart);
        const QString nav = text.mid(navStart, navEnd - navStart);
        const QStringList sections = captures(text.mid(navEnd), "<h[23][^>]*\\bid\\s*=\\s*\"([^\"]+)\"");
        QVERIFY(sections.size() >= 10);
        for (const QString& id : sections)
            QVERIFY2(nav.contains("href=\"#" + id + '"'), qPrintable(id + " is not in the contents"));
    }
};

QTEST_GUILESS_MAIN(TestDoc)
#include "tst_doc.moc"
