#include "variables.h"

#include "project/module1.h"

namespace {

QString writeFailure(const QString& iniPath) {
    return QStringLiteral("impossible d'écrire dans le fichier %1").arg(iniPath);
}

QString section(int n) { return QStringLiteral("Variable") + QString::number(n); }

} // namespace

VariableListing listVariables(const QString& iniPath) {
    VariableListing out;
    out.count = readini(QStringLiteral("Variables"), QStringLiteral("nombre"), iniPath);
    if (out.count.isEmpty())
        return out;
    const auto n = wholeNumber(out.count);
    if (!n) {
        out.error = QStringLiteral("le nombre de variables « %1 » n'est pas un nombre (%2)")
                        .arg(out.count, iniPath);
        return out;
    }
    for (int i = 1; i <= *n; ++i)
        out.lines.append(QString::number(i) + QStringLiteral(" | Valeur de départ : ") +
                         readini(section(i), QStringLiteral("valeur"), iniPath));
    return out;
}

std::optional<QString> addVariable(const QString& iniPath, const QString& count,
                                   const QString& value) {
    const auto current = wholeNumber(count);
    if (!current)
        return QStringLiteral("le nombre de variables « %1 » n'est pas un nombre").arg(count);
    const int n = *current + 1;
    const QString num = QString::number(n);
    if (!writeini(section(n), QStringLiteral("numero"), num, iniPath) ||
        !writeini(section(n), QStringLiteral("valeur"), value, iniPath) ||
        !writeini(QStringLiteral("Variables"), QStringLiteral("nombre"), num, iniPath))
        return writeFailure(iniPath);
    return std::nullopt;
}

std::optional<QString> setStartValue(const QString& iniPath, int n, const QString& value) {
    if (!writeini(section(n), QStringLiteral("valeur"), value, iniPath))
        return writeFailure(iniPath);
    return std::nullopt;
}
