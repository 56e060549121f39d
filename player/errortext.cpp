#include "player/errortext.h"

#include "project/cp1252.h"

namespace {

// The last space of text[from, from + width], as an offset from `from`; -1 when none.
qsizetype lastSpace(const QString& text, qsizetype from, int width) {
    for (qsizetype i = from + width; i >= from; --i)
        if (text[i] == u' ')
            return i - from;
    return -1;
}

} // namespace

QString errorMessageText(QByteArrayView message, qsizetype maxBytes) {
    const bool utf8 = message.isValidUtf8();
    QByteArrayView shown = message.first(std::min(message.size(), maxBytes));
    if (utf8) {
        // Do not split a character: step back over continuation bytes.
        while (shown.size() < message.size() && !shown.isEmpty()
               && (static_cast<unsigned char>(message[shown.size()]) & 0xC0) == 0x80)
            shown = shown.first(shown.size() - 1);
    }
    QString text = utf8 ? QString::fromUtf8(shown)
                        : fromCp1252(QByteArray::fromRawData(shown.data(), shown.size()));
    if (shown.size() < message.size())
        text += QStringLiteral(" [%1 more bytes]").arg(message.size() - shown.size());
    return text;
}

QStringList wrapErrorLines(const QString& text, int width, int maxLines) {
    QStringList out;
    const QString all = QString(text).replace(u'\t', QLatin1String("  "));
    qsizetype start = 0;
    while (out.size() < maxLines) {
        qsizetype end = all.indexOf(u'\n', start);
        if (end < 0)
            end = all.size();
        // The paragraph [from, to): the first piece as written, the rest without the blanks
        // around each cut.
        qsizetype from = start, to = end;
        for (;;) {
            const qsizetype size = to - from;
            qsizetype cut = size <= width ? size : lastSpace(all, from, width);
            if (cut <= 0)
                cut = std::min<qsizetype>(width, size);
            out.append(all.mid(from, cut));
            if (out.size() >= maxLines)
                return out;
            from += cut;
            while (from < to && all[from].isSpace())
                ++from;
            while (to > from && all[to - 1].isSpace())
                --to;
            if (from == to)
                break;
        }
        if (end == all.size())
            break;
        start = end + 1;
    }
    return out;
}
