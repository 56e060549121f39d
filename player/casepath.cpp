#include "player/casepath.h"

#include <QDir>
#include <QFileInfo>
#include <QStringList>

namespace {

QString matchIn(const QString& folder, const QString& name) {
    const QStringList entries = QDir(folder.isEmpty() ? QStringLiteral(".") : folder)
                                    .entryList(QDir::AllEntries | QDir::Hidden | QDir::System
                                               | QDir::NoDotAndDotDot);
    for (const QString& e : entries)
        if (e.compare(name, Qt::CaseInsensitive) == 0)
            return e;
    return {};
}

} // namespace

QString resolveCase(const QString& path) {
    if (path.isEmpty() || QFileInfo::exists(path))
        return path;
    const QStringList parts = path.split(QLatin1Char('/'));
    QString built; // the resolved prefix, with its trailing '/' when it has one
    for (qsizetype i = 0; i < parts.size(); ++i) {
        const QString& part = parts[i];
        QString chosen = part;
        if (!part.isEmpty() && part != QLatin1String(".") && part != QLatin1String("..")
            && !QFileInfo::exists(built + part)) {
            chosen = matchIn(built, part);
            if (chosen.isEmpty()) {
                // Nothing further can exist: keep the rest as written.
                return built + parts.mid(i).join(QLatin1Char('/'));
            }
        }
        built += chosen;
        if (i + 1 < parts.size())
            built += QLatin1Char('/');
    }
    return built;
}
