#include "inifile.h"

#include <QList>

namespace {

struct Line {
    qsizetype start = 0; // first character of the line
    qsizetype length = 0; // without its terminator
    qsizetype end = 0; // after the terminator
};

QList<Line> splitLines(const QString& text) {
    QList<Line> lines;
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n) {
        Line l;
        l.start = i;
        while (i < n && text[i] != u'\r' && text[i] != u'\n')
            ++i;
        l.length = i - l.start;
        if (i < n && text[i] == u'\r')
            ++i;
        if (i < n && text[i] == u'\n')
            ++i;
        l.end = i;
        lines.append(l);
    }
    return lines;
}

bool isBlank(QChar c) { return c == u' ' || c == u'\t'; }

QString trimmed(QStringView s) {
    qsizetype b = 0, e = s.size();
    while (b < e && isBlank(s[b]))
        ++b;
    while (e > b && isBlank(s[e - 1]))
        --e;
    return s.mid(b, e - b).toString();
}

bool sameName(const QString& a, const QString& b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

// Section name when the line is a header, else nothing.
std::optional<QString> headerName(QStringView line) {
    const QString t = trimmed(line);
    if (!t.startsWith(u'['))
        return std::nullopt;
    const qsizetype close = t.indexOf(u']');
    if (close < 0)
        return std::nullopt;
    return trimmed(QStringView(t).mid(1, close - 1));
}

struct KeyLine {
    QString name;
    QString value; // trimmed, quotes kept
};

std::optional<KeyLine> keyLine(QStringView line) {
    const QString t = trimmed(line);
    if (t.isEmpty())
        return std::nullopt;
    const qsizetype eq = line.indexOf(u'=');
    if (eq < 0)
        return KeyLine{t, QString()};
    return KeyLine{trimmed(line.left(eq)), trimmed(line.mid(eq + 1))};
}

// Lines [first, last) of the first section named `section`, header excluded; first == -1
// when there is none.
struct SectionRange {
    qsizetype header = -1;
    qsizetype first = -1;
    qsizetype last = -1;
};

SectionRange findSection(const QString& text, const QList<Line>& lines, const QString& section) {
    SectionRange r;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const auto name = headerName(QStringView(text).mid(lines[i].start, lines[i].length));
        if (!name)
            continue;
        if (r.header >= 0) {
            r.last = i;
            return r;
        }
        if (sameName(*name, section)) {
            r.header = i;
            r.first = i + 1;
        }
    }
    if (r.header >= 0)
        r.last = lines.size();
    return r;
}

QString unquoted(const QString& v) {
    if (v.size() >= 2 && (v.front() == u'"' || v.front() == u'\'') && v.back() == v.front())
        return v.mid(1, v.size() - 2);
    return v;
}

} // namespace

bool iniWritable(const QString& section, const QString& key, const QString& value) {
    const QString sec = trimmed(section);
    const QString k = trimmed(key);
    if (sec.isEmpty() || k.isEmpty() || sec.contains(u']') || k.contains(u'=') ||
        k.startsWith(u'['))
        return false;
    for (const QString* s : {&sec, &k, &value})
        if (s->contains(u'\r') || s->contains(u'\n'))
            return false;
    return true;
}

IniIndex::IniIndex(const QString& text) {
    const QList<Line> lines = splitLines(text);
    QString section;     // folded name of the section the lines belong to
    bool inUse = false;  // false before the first header and in a repeated section
    for (const Line& l : lines) {
        const QStringView line = QStringView(text).mid(l.start, l.length);
        if (const auto name = headerName(line)) {
            section = name->toCaseFolded();
            // Only the first section of a name counts.
            inUse = !mSections.contains(section);
            if (inUse)
                mSections.insert(section, {});
            continue;
        }
        if (!inUse)
            continue;
        if (const auto kl = keyLine(line)) {
            QHash<QString, QString>& keys = mSections[section];
            const QString key = kl->name.toCaseFolded();
            if (!keys.contains(key)) // the first key of a name wins
                keys.insert(key, unquoted(kl->value).left(kIniValueMax));
        }
    }
}

QString IniIndex::value(const QString& section, const QString& key) const {
    const auto s = mSections.constFind(trimmed(section).toCaseFolded());
    if (s == mSections.constEnd())
        return QString();
    return s->value(trimmed(key).toCaseFolded());
}

QString iniValue(const QString& text, const QString& section, const QString& key) {
    return IniIndex(text).value(section, key);
}

std::optional<QString> iniWithValue(const QString& text, const QString& section,
                                    const QString& key, const QString& value) {
    const QString sec = trimmed(section);
    const QString k = trimmed(key);
    const QString v = trimmed(value);
    const QString newPair = k + u'=' + v;

    if (text.isEmpty())
        return QStringLiteral("[") + sec + QStringLiteral("]\r\n") + newPair + QStringLiteral("\r\n");

    const QList<Line> lines = splitLines(text);
    const SectionRange r = findSection(text, lines, sec);
    if (r.header < 0) {
        QString out = text;
        if (!out.endsWith(u'\n') && !out.endsWith(u'\r'))
            out += QStringLiteral("\r\n");
        return out + QStringLiteral("[") + sec + QStringLiteral("]\r\n") + newPair + QStringLiteral("\r\n");
    }

    qsizetype lastNonBlank = r.header;
    for (qsizetype i = r.first; i < r.last; ++i) {
        const Line& l = lines[i];
        const auto kl = keyLine(QStringView(text).mid(l.start, l.length));
        if (!kl)
            continue;
        lastNonBlank = i;
        if (!sameName(kl->name, k))
            continue;
        const bool hasValue = QStringView(text).mid(l.start, l.length).contains(u'=');
        if (hasValue && kl->value == v)
            return std::nullopt;
        QString line = kl->name + u'=' + v;
        // A rewritten line always ends with CR LF, also the file's unfinished last one.
        if (l.end == l.start + l.length)
            line += QStringLiteral("\r\n");
        QString out = text;
        out.replace(l.start, l.length, line);
        return out;
    }

    const Line& after = lines[lastNonBlank];
    QString insert = newPair + QStringLiteral("\r\n");
    if (after.end == after.start + after.length) // last line of the text, no terminator
        insert.prepend(QStringLiteral("\r\n"));
    QString out = text;
    out.insert(after.end, insert);
    return out;
}
