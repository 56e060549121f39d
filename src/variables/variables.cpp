#include "variables/variables.h"

#include "project/module1.h"
#include "project/projectfile.h"

namespace {

QString writeFailure(const ProjectFile& file) {
    return QStringLiteral("impossible d'écrire dans le fichier %1").arg(file.path());
}

QString notANumber(const QString& count) {
    return QStringLiteral("le nombre de variables « %1 » n'est pas un nombre").arg(count);
}

} // namespace

VariableListing listVariables(const ProjectFile& file) {
    const ProjectIni ini = file.read();
    VariableListing out;
    out.count = ini.variableCountText();
    if (out.count.isEmpty())
        return out;
    if (!ini.variableCount()) {
        out.error = notANumber(out.count) + QStringLiteral(" (%1)").arg(file.path());
        return out;
    }
    const QStringList values = ini.startValues();
    out.lines.reserve(values.size());
    for (qsizetype i = 0; i < values.size(); ++i)
        out.lines.append(QString::number(i + 1) + QStringLiteral(" | Valeur de départ : ") +
                         values[i]);
    return out;
}

std::optional<QString> cannotAddAfter(const QString& count) {
    const auto current = wholeNumber(count);
    if (!current)
        return notANumber(count);
    if (*current >= kMaxCount)
        return QStringLiteral("votre jeu a déjà %1 variables, le plus grand nombre possible")
            .arg(*current);
    return std::nullopt;
}

std::optional<QString> addVariable(const ProjectFile& file, const QString& count,
                                   const QString& value) {
    if (const auto refused = cannotAddAfter(count))
        return refused;
    if (!file.addVariable(*wholeNumber(count) + 1, value))
        return writeFailure(file);
    return std::nullopt;
}

std::optional<QString> setStartValue(const ProjectFile& file, int n, const QString& value) {
    if (!file.setStartValue(n, value))
        return writeFailure(file);
    return std::nullopt;
}
