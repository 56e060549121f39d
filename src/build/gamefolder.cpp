#include "build/gamefolder.h"

#include <QStringList>

namespace {

bool refusedByFat(QChar c) {
    return c.unicode() < 0x20 || c.unicode() == 0x7F || QStringLiteral("?*:<>|\"\\/").contains(c);
}

// Device names are refused with any extension too ("nul.txt").
bool isDeviceName(const QString& name) {
    const QString stem = name.section(u'.', 0, 0).trimmed().toUpper();
    static const QStringList devices = {QStringLiteral("CON"), QStringLiteral("PRN"),
                                        QStringLiteral("AUX"), QStringLiteral("NUL")};
    if (devices.contains(stem))
        return true;
    return stem.size() == 4 && (stem.startsWith(QStringLiteral("COM")) ||
                                stem.startsWith(QStringLiteral("LPT"))) &&
           stem[3] >= u'1' && stem[3] <= u'9';
}

} // namespace

QString gameFolderName(const QString& projectName) {
    QString name;
    name.reserve(projectName.size());
    for (const QChar c : projectName)
        name += refusedByFat(c) ? u'_' : c;
    while (!name.isEmpty() && (name.back() == u'.' || name.back() == u' '))
        name.chop(1);
    while (!name.isEmpty() && name.front() == u' ')
        name.remove(0, 1);
    if (name.isEmpty())
        return QStringLiteral("Jeu");
    if (isDeviceName(name)) {
        const qsizetype dot = name.indexOf(u'.');
        name.insert(dot < 0 ? name.size() : dot, u'_'); // "nul.txt" gives "nul_.txt"
    }
    return name;
}

QString sizeText(qint64 bytes) {
    if (bytes < 1024)
        return QString::number(bytes) + QStringLiteral(" octets");
    static const char* const units[] = {" Ko", " Mo", " Go", " To"};
    double value = double(bytes) / 1024.0;
    int unit = 0;
    // 1023,96 Ko shows as 1,0 Mo, not 1024,0 Ko.
    while (value >= 1023.95 && unit < 3) {
        value /= 1024.0;
        ++unit;
    }
    return QString::number(value, 'f', 1).replace(u'.', u',') + QLatin1String(units[unit]);
}
