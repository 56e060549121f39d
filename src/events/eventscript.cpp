#include "events/eventscript.h"

#include "project/module1.h"

QString eventScriptPath(const QString& projectDir, const QString& map, const QString& row,
                        const QString& column) {
    return projectDir + QStringLiteral("/ev/map") + map + QStringLiteral("/ev") + row + column;
}

QString eventScriptText(const QStringList& lines) {
    QString text;
    for (const QString& line : lines) {
        if (line.isEmpty())
            continue;
        text += QStringLiteral("\r\n");
        text += line;
    }
    return text;
}

QStringList eventScriptLines(const QString& text) {
    QStringList lines;
    if (text.size() < 4)
        return lines;
    qsizetype start = 2;
    for (;;) {
        const qsizetype end = text.indexOf(QStringLiteral("\r\n"), start);
        if (end < 0)
            break;
        lines.append(text.mid(start, end - start));
        start = end + 2;
    }
    return lines;
}

bool saveevent(const QStringList& lines, const QString& path) {
    return writefile(eventScriptText(lines), path);
}

QStringList loadevent(const QString& path) { return eventScriptLines(readfile(path)); }
