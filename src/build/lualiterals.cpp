#include "build/lualiterals.h"

namespace {

// Length of the long bracket opening at i ("[[", "[==["), or 0 when none opens there.
qsizetype longBracket(const QString& text, qsizetype i) {
    if (i >= text.size() || text[i] != u'[')
        return 0;
    qsizetype j = i + 1;
    while (j < text.size() && text[j] == u'=')
        ++j;
    return j < text.size() && text[j] == u'[' ? j - i + 1 : 0;
}

// Index just past the long bracket closing the one of the given length opened before i.
qsizetype skipLong(const QString& text, qsizetype i, qsizetype openLength) {
    const QString close = u']' + QString(openLength - 2, u'=') + u']';
    const qsizetype end = text.indexOf(close, i);
    return end < 0 ? text.size() : end + close.size();
}

// Reads the literal opened by the quote at i; returns the index past its closing quote. A
// literal cut by a line end or the end of the text is not one (Lua refuses it).
qsizetype readQuoted(const QString& text, qsizetype i, QStringList& out) {
    const QChar quote = text[i];
    QString value;
    for (qsizetype j = i + 1; j < text.size(); ++j) {
        const QChar c = text[j];
        if (c == quote) {
            out.append(value);
            return j + 1;
        }
        if (c == u'\n' || c == u'\r')
            return j;
        if (c != u'\\' || j + 1 >= text.size()) {
            value += c;
            continue;
        }
        const QChar e = text[++j];
        switch (e.unicode()) {
        case u'n': value += u'\n'; break;
        case u't': value += u'\t'; break;
        case u'r': value += u'\r'; break;
        case u'a': value += u'\a'; break;
        case u'b': value += u'\b'; break;
        case u'f': value += u'\f'; break;
        case u'v': value += u'\v'; break;
        default:
            if (e.isDigit()) { // \ddd, up to three digits
                int code = 0;
                qsizetype k = 0;
                for (; k < 3 && j + k < text.size() && text[j + k].isDigit(); ++k)
                    code = code * 10 + text[j + k].digitValue();
                j += k - 1;
                value += QChar(code);
            } else {
                value += e; // \\ \" \' and a backslash before a line end
            }
        }
    }
    return text.size();
}

} // namespace

QStringList luaStringLiterals(const QString& text) {
    QStringList literals;
    qsizetype i = 0;
    while (i < text.size()) {
        const QChar c = text[i];
        if (c == u'-' && i + 1 < text.size() && text[i + 1] == u'-') {
            if (const qsizetype open = longBracket(text, i + 2)) {
                i = skipLong(text, i + 2 + open, open);
            } else {
                const qsizetype end = text.indexOf(u'\n', i);
                i = end < 0 ? text.size() : end + 1;
            }
        } else if (const qsizetype open = longBracket(text, i)) {
            i = skipLong(text, i + open, open);
        } else if (c == u'"' || c == u'\'') {
            i = readQuoted(text, i, literals);
        } else {
            ++i;
        }
    }
    return literals;
}
