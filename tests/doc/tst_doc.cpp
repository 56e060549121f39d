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
    QFile f(kDoc + QStringLiteral("/index.html"));
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
    QStringList refs = captures(text, QStringLiteral("\\b(?:src|href)\\s*=\\s*\"([^\"#][^\"]*)\"")) +
                       captures(text, QStringLiteral("url\\(\\s*['\"]?([^'\")]+)['\"]?\\s*\\)"));
    refs.removeDuplicates();
    return refs;
}

} // namespace

class TestDoc : public QObject {
    Q_OBJECT

private slots:
    void pageIsSelfContained() {
        const QString text = page();
        QVERIFY2(!text.isEmpty(), "Doc/index.html is missing, empty or not UTF-8");
        QVERIFY(text.contains(QStringLiteral("<meta charset=\"utf-8\">")));
        QVERIFY(text.contains(QStringLiteral("lang=\"fr\"")));
        QVERIFY2(!text.contains(QStringLiteral("<script"), Qt::CaseInsensitive), "no scripts");
        QVERIFY2(!text.contains(QStringLiteral("<link"), Qt::CaseInsensitive),
                 "styles are inline");
        QVERIFY2(!text.contains(QStringLiteral("<iframe"), Qt::CaseInsensitive), "no frames");
        for (const QString& ref : references(text))
            QVERIFY2(!ref.contains(u':') && !ref.startsWith(QStringLiteral("//")),
                     qPrintable(QStringLiteral("external resource: ") + ref));
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
        QVERIFY2(!ref.contains(QStringLiteral("..")), "stays inside Doc/");
        const QString path = kDoc + u'/' + ref;
        QVERIFY2(QFile::exists(path), qPrintable(path));
        if (ref.endsWith(QStringLiteral(".png"))) {
            const QImage picture(path);
            QVERIFY2(!picture.isNull(), qPrintable(path + QStringLiteral(" is no picture")));
            QVERIFY(picture.width() >= 100 && picture.height() >= 50);
        }
    }

    void everyPictureIsUsed() {
        const QStringList refs = references(page());
        const QStringList files = QDir(kDoc + QStringLiteral("/images")).entryList(QDir::Files);
        QVERIFY(!files.isEmpty());
        for (const QString& file : files)
            QVERIFY2(refs.contains(QStringLiteral("images/") + file),
                     qPrintable(QStringLiteral("Doc/images/") + file + QStringLiteral(" is unused")));
    }

    void internalLinksResolve() {
        const QString text = page();
        const QStringList ids = captures(text, QStringLiteral("\\bid\\s*=\\s*\"([^\"]+)\""));
        const QSet<QString> unique(ids.begin(), ids.end());
        QCOMPARE(unique.size(), ids.size());   // no anchor given twice
        const QStringList anchors = captures(text, QStringLiteral("\\bhref\\s*=\\s*\"#([^\"]*)\""));
        QVERIFY(anchors.size() >= 20);
        for (const QString& anchor : anchors)
            QVERIFY2(unique.contains(anchor), qPrintable(QStringLiteral("#") + anchor));
    }

    void everySectionIsInTheContents() {
        const QString text = page();
        const int navStart = text.indexOf(QStringLiteral("<nav"));
        const int navEnd = text.indexOf(QStringLiteral("</nav>"));
        QVERIFY(navStart >= 0 && navEnd > navStart);
        const QString nav = text.mid(navStart, navEnd - navStart);
        const QString body = text.mid(navEnd);
        const QStringList sections =
            captures(body, QStringLiteral("<h[23][^>]*\\bid\\s*=\\s*\"([^\"]+)\""));
        QVERIFY(sections.size() >= 10);
        for (const QString& id : sections)
            QVERIFY2(nav.contains(QStringLiteral("href=\"#") + id + u'"'),
                     qPrintable(id + QStringLiteral(" is missing from the contents")));
    }
};

QTEST_GUILESS_MAIN(TestDoc)
#include "tst_doc.moc"

