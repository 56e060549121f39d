#include "player/buttonscript.h"

#include "player/pad.h"

#include <QFile>
#include <QList>

#include <stdexcept>

ButtonScript ButtonScript::parse(const QByteArray& text) {
    ButtonScript script;
    const QList<QByteArray> lines = text.split('\n');
    for (qsizetype i = 0; i < lines.size(); ++i) {
        QByteArray line = lines[i];
        if (const qsizetype hash = line.indexOf('#'); hash >= 0) {
            const QList<QByteArray> comment = line.mid(hash + 1).simplified().split(' ');
            bool ok = false;
            if (hash == 0 && comment.size() == 2 && comment[0] == "horloge") {
                if (const qlonglong seconds = comment[1].toLongLong(&ok); ok)
                    script.mClockStart = seconds;
            }
            line.truncate(hash);
        }
        const QList<QByteArray> words = line.simplified().split(' ');
        if (words.first().isEmpty())
            continue;
        const auto where = [&] { return "buttons file, line " + std::to_string(i + 1) + ": "; };
        bool ok = false;
        const qlonglong frame = words.first().toLongLong(&ok);
        if (!ok || frame < 0)
            throw std::runtime_error(where() + "bad frame number '" + words.first().toStdString() + "'");
        std::uint32_t buttons = 0;
        for (qsizetype w = 1; w < words.size(); ++w) {
            const std::uint32_t mask = padButtonByName(QString::fromLatin1(words[w]));
            if (mask == 0)
                throw std::runtime_error(where() + "unknown button '" + words[w].toStdString() + "'");
            buttons |= mask;
        }
        script.mSteps[frame] = buttons;
    }
    return script;
}

ButtonScript ButtonScript::load(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw std::runtime_error("cannot read buttons file " + path.toStdString());
    return parse(file.readAll());
}

std::uint32_t ButtonScript::buttonsAt(std::int64_t frame) const {
    auto it = mSteps.upper_bound(frame);
    if (it == mSteps.begin())
        return 0;
    return std::prev(it)->second;
}
