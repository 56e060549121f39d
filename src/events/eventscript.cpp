#include "events/eventscript.h"

#include "project/mapgrid.h"
#include "project/module1.h"

#include <QDir>
#include <QRegularExpression>

#include <algorithm>

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

QSet<int> scriptedCells(const QString& projectDir, const QString& map) {
    // Rows have one digit, so "ev" + row + column reads back without doubt.
    static const QRegularExpression name(QStringLiteral("^ev([1-9])([1-9][0-9]?)$"),
                                         QRegularExpression::CaseInsensitiveOption);
    const QDir folder(resolvePath(projectDir + QStringLiteral("/ev/map") + map));
    QSet<int> cells;
    for (const QString& file : folder.entryList(QDir::Files)) {
        const auto match = name.match(file);
        if (!match.hasMatch())
            continue;
        const int row = match.captured(1).toInt();
        const int column = match.captured(2).toInt();
        if (row > mapgrid::kRows || column > mapgrid::kColumns)
            continue;
        const QStringList lines = loadevent(folder.filePath(file));
        if (std::any_of(lines.begin(), lines.end(), [](const QString& l) { return !l.isEmpty(); }))
            cells.insert(mapgrid::slot(row, column));
    }
    return cells;
}
