// The user's guide Doc/index.html: one UTF-8 page that opens on its own.

#include <QDir>
#include <QFile>
#include <QImage>
#include <QRegularExpression>
#include <QSet>
#include <QStringConverter>
#include <QTest>

namespace {

const QString kDoc = QStringLiteral(QUENDAL_SOURCE_DIR "/Doc");

// Every value of the pattern's first group, in page order.
QStringList captures(const QString& text, const QString& pattern) {
    QStringList found;
    for (auto it = QRegularExpression(pattern).globalMatch(text); it.hasNext();)
        found << it.next().captured(1);
    return found;
}

} // namespace

class TestDoc : public QObject {
    Q_OBJECT
    QString mText;

private slots:
    void initTestCase() {
        QFile f(kDoc + "/index.html");
        QVERIFY(f.open(QIODevice::ReadOnly));
        auto decode = QStringDecoder(QStringDecoder::Utf8);
        mText = decode(f.readAll());
        QVERIFY2(!decode.hasError() && !mText.isEmpty(), "Doc/index.html is empty or not UTF-8");
    }

    // No script, frame or outside resource: what src, href and CSS url() name is a file of
    // Doc/, a picture readable, and every picture of Doc/images is shown.
    void pageIsSelfContained() {
        QVERIFY(mText.contains("<meta charset=\"utf-8\">") && mText.contains("lang=\"fr\""));
        for (const char* tag : {"<script", "<link", "<iframe"})
            QVERIFY2(!mText.contains(tag, Qt::CaseInsensitive), tag);
        const QStringList refs = captures(mText, "\\b(?:src|href)\\s*=\\s*\"([^\"#][^\"]*)\"") +
                                 captures(mText, "url\\(\\s*['\"]?([^'\")]+)['\"]?\\s*\\)");
        QVERIFY(refs.size() >= 10);
        for (const QString& ref : refs) {
            const QString path = kDoc + u'/' + ref;
            QVERIFY2(!ref.contains(u':') && !ref.startsWith("//") && !ref.contains(".."),
                     qPrintable("outside Doc/: " + ref));
            QVERIFY2(QFile::exists(path), qPrintable(path));
            const QImage picture(path);
            QVERIFY2(!ref.endsWith(".png") || (picture.width() >= 100 && picture.height() >= 50),
                     qPrintable(path));
        }
        const QStringList files = QDir(kDoc + "/images").entryList(QDir::Files);
        QVERIFY(!files.isEmpty());
        for (const QString& file : files)
            QVERIFY2(refs.contains("images/" + file), qPrintable(file + " is unused"));
    }

    // Anchors are unique and every link inside the page reaches one; every section heading
    // is in the table of contents.
    void linksAndContents() {
        const QStringList ids = captures(mText, "\\bid\\s*=\\s*\"([^\"]+)\"");
        const QSet<QString> unique(ids.begin(), ids.end());
        QCOMPARE(unique.size(), ids.size());
        const QStringList anchors = captures(mText, "\\bhref\\s*=\\s*\"#([^\"]*)\"");
        QVERIFY(anchors.size() >= 20);
        for (const QString& anchor : anchors)
            QVERIFY2(unique.contains(anchor), qPrintable('#' + anchor));
        const int navStart = mText.indexOf("<nav"), navEnd = mText.indexOf("</nav>");
        QVERIFY(navStart >= 0 && navEnd > navStart);
        const QString nav = mText.mid(navStart, navEnd - navStart);
        const QStringList sections = captures(mText.mid(navEnd), "<h[23][^>]*\\bid\\s*=\\s*\"([^\"]+)\"");
        QVERIFY(sections.size() >= 10);
        for (const QString& id : sections)
            QVERIFY2(nav.contains("href=\"#" + id + '"'), qPrintable(id + " is not in the contents"));
    }
};

QTEST_GUILESS_MAIN(TestDoc)
#include "tst_doc.moc"
