#include "events/eventcommands.h"

#include "project/projectfile.h"

#include <QRegularExpression>

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

namespace {

// The text between a fixed start and end, when the line is made of them.
std::optional<QString> between(const QString& line, QStringView start, QStringView end) {
    if (line.size() < start.size() + end.size() || !line.startsWith(start) || !line.endsWith(end))
        return std::nullopt;
    return line.mid(start.size(), line.size() - start.size() - end.size());
}

} // namespace

std::optional<CommandLine> commandOfLine(const QString& line) {
    CommandLine c;
    if (line == closeConditionLine()) {
        c.kind = CommandLine::CloseCondition;
        return c;
    }
    if (const auto map = between(line, u"runmap(\"", u"\")")) {
        c.kind = CommandLine::MapChange;
        c.map = *map;
        return c;
    }
    if (const auto text = between(line, u"affichertexte(\"", u"\")")) {
        c.kind = CommandLine::Text;
        c.value = *text;
        return c;
    }
    if (const auto frames = between(line, u"screen.waitVblankStart(", u")")) {
        bool ok = false;
        c.frames = frames->toInt(&ok);
        if (!ok || QString::number(c.frames) != *frames)
            return std::nullopt;
        c.kind = CommandLine::Pause;
        return c;
    }
    static const QRegularExpression variable(
        QStringLiteral("^var\\[([1-9][0-9]{0,8})\\] = \"(.*)\"$"));
    if (const auto m = variable.match(line); m.hasMatch()) {
        c.kind = CommandLine::Variable;
        c.variable = m.captured(1).toInt();
        c.value = m.captured(2);
        return c;
    }
    static const QRegularExpression condition(
        QStringLiteral("^if var\\[([1-9][0-9]{0,8})\\] (==|~=) \"(.*)\" then$"));
    if (const auto m = condition.match(line); m.hasMatch()) {
        c.kind = CommandLine::Condition;
        c.variable = m.captured(1).toInt();
        c.op = m.captured(2) == QLatin1String("==") ? QStringLiteral("=") : QStringLiteral("!");
        c.value = m.captured(3);
        return c;
    }
    const std::pair<QStringView, CommandLine::LifeChange> lives[] = {
        {u"hero.vie = hero.vie - ", CommandLine::Remove},
        {u"hero.vie = hero.vie + ", CommandLine::Add},
        {u"hero.vie = ", CommandLine::Replace}};
    for (const auto& [start, change] : lives) {
        if (const auto amount = between(line, start, u"")) {
            c.kind = CommandLine::Life;
            c.life = change;
            c.value = *amount;
            return c;
        }
    }
    return std::nullopt;
}

QString lineOfCommand(const CommandLine& c) {
    switch (c.kind) {
    case CommandLine::MapChange: return mapChangeLine(c.map);
    case CommandLine::Variable: return variableLine(c.variable, c.value);
    case CommandLine::Life:
        return *lifeLine(c.life == CommandLine::Remove, c.life == CommandLine::Add,
                         c.life == CommandLine::Replace, c.value);
    case CommandLine::Pause:
        return QStringLiteral("screen.waitVblankStart(") + QString::number(c.frames) + u')';
    case CommandLine::Text: return textLine(c.value);
    case CommandLine::Condition:
        return conditionLine(c.variable, c.op, c.value).value_or(QString());
    case CommandLine::CloseCondition: return closeConditionLine();
    }
    return QString();
}

QList<int> indentLevels(const QStringList& lines) {
    static const QRegularExpression word(QStringLiteral("^[A-Za-z_]+"));
    QList<int> levels;
    levels.reserve(lines.size());
    int depth = 0;
    for (const QString& line : lines) {
        const QString text = line.trimmed();
        const QString first = word.match(text).captured(0);
        const bool closes = first == QLatin1String("end") || first == QLatin1String("else") ||
                            first == QLatin1String("elseif") || first == QLatin1String("until");
        const bool opens =
            (first == QLatin1String("if") && text.endsWith(QLatin1String("then"))) ||
            first == QLatin1String("elseif") || first == QLatin1String("else") ||
            ((first == QLatin1String("for") || first == QLatin1String("while")) &&
             text.endsWith(QLatin1String("do"))) ||
            first == QLatin1String("function") || first == QLatin1String("repeat") ||
            text == QLatin1String("do");
        if (closes)
            depth = std::max(0, depth - 1);
        levels.append(depth);
        if (opens)
            depth += 1;
    }
    return levels;
}
