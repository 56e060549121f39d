#include "events/eventcommands.h"

#include "project/projectfile.h"

#include <algorithm>

std::optional<QString> lifeLine(bool remove, bool add, bool replace, const QString& amount) {
    if (remove)
        return QStringLiteral("hero.vie = hero.vie - ") + amount;
    if (add)
        return QStringLiteral("hero.vie = hero.vie + ") + amount;
    if (replace)
        return QStringLiteral("hero.vie = ") + amount;
    return std::nullopt;
}

QString textLine(const QString& text) {
    return QStringLiteral("affichertexte(\"") + text + QStringLiteral("\")");
}

std::optional<int> pauseFrames(const QString& answer) {
    const QString t = answer.trimmed();
    qsizetype i = 0;
    bool negative = false;
    if (i < t.size() && (t[i] == u'+' || t[i] == u'-')) {
        negative = t[i] == u'-';
        ++i;
    }
    auto isDigit = [&](qsizetype k) { return k < t.size() && t[k] >= u'0' && t[k] <= u'9'; };
    // Whole part, saturated well above the accepted range so long inputs cannot overflow.
    constexpr qint64 kCap = 1'000'000;
    qint64 whole = 0;
    bool anyDigit = false;
    while (isDigit(i)) {
        whole = std::min(kCap, whole * 10 + (t[i].unicode() - u'0'));
        anyDigit = true;
        ++i;
    }
    // Fraction: only whether it is below, at or above one half matters.
    int half = -1; // -1 below a half (or none), 0 exactly a half, 1 above
    if (i < t.size() && (t[i] == u'.' || t[i] == u',')) {
        ++i;
        bool first = true;
        while (isDigit(i)) {
            const int d = t[i].unicode() - u'0';
            if (first)
                half = d < 5 ? -1 : (d == 5 ? 0 : 1);
            else if (half == 0 && d != 0)
                half = 1;
            first = false;
            anyDigit = true;
            ++i;
        }
    }
    if (!anyDigit || i != t.size())
        return std::nullopt;
    if (half > 0 || (half == 0 && whole % 2 == 1))
        ++whole;
    const qint64 value = negative ? -whole : whole;
    if (value < -32768 || value > 32767)
        return std::nullopt;
    return static_cast<int>(value);
}

std::optional<QString> pauseLine(const QString& answer) {
    const auto frames = pauseFrames(answer);
    if (!frames)
        return std::nullopt;
    return QStringLiteral("screen.waitVblankStart(") + QString::number(*frames) + u')';
}

QString variableLine(int variable, const QString& value) {
    return QStringLiteral("var[") + QString::number(variable) + QStringLiteral("] = \"") + value +
           u'"';
}

std::optional<QString> conditionLine(int variable, const QString& op, const QString& value) {
    if (variable < 1)
        return std::nullopt;
    QString comparison;
    if (op == QStringLiteral("="))
        comparison = QStringLiteral("== ");
    else if (op == QStringLiteral("!"))
        comparison = QStringLiteral("~= ");
    else
        return std::nullopt;
    return QStringLiteral("if var[") + QString::number(variable) + QStringLiteral("] ") +
           comparison + u'"' + value + QStringLiteral("\" then");
}

QString closeConditionLine() { return QStringLiteral("end"); }

QString mapChangeLine(const QString& mapText) {
    return QStringLiteral("runmap(\"") + mapText + QStringLiteral("\")");
}

QStringList variableEntries(const ProjectIni& ini) {
    QStringList entries;
    const int n = ini.variablesToVisit();
    for (int k = 1; k <= n; ++k)
        entries.append(QStringLiteral("Variable") + QString::number(k));
    return entries;
}

QStringList conditionEntries(const ProjectIni& ini) {
    QStringList entries;
    const QStringList values = ini.startValues();
    for (int k = 1; k <= values.size(); ++k)
        entries.append(QStringLiteral("Variable ") + QString::number(k) +
                       QStringLiteral(" de valeur initale : ") + values[k - 1]);
    return entries;
}
