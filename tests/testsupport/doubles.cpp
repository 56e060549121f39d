#include "testsupport/doubles.h"

MsgAnswer ScriptedDialogService::message(QWidget*, const QString& text, const QString& title,
                                         MsgIcon icon, MsgButtons buttons) {
    shown.append({Shown::Message, text, title, icon, buttons});
    if (!answers.isEmpty())
        return answers.takeFirst();
    switch (buttons) {
    case MsgButtons::Ok: return MsgAnswer::Ok;
    case MsgButtons::YesNo: return MsgAnswer::No;
    case MsgButtons::YesNoCancel: return MsgAnswer::Cancel;
    }
    return MsgAnswer::Ok;
}

std::optional<QString> ScriptedDialogService::prompt(QWidget*, const QString& label,
                                                     const QString& title,
                                                     const QString& initial) {
    shown.append({Shown::Prompt, label, title, MsgIcon::None, MsgButtons::Ok, initial});
    if (!promptAnswers.isEmpty())
        return promptAnswers.takeFirst();
    return std::nullopt;
}

QStringList ScriptedDialogService::texts() const {
    QStringList out;
    for (const Shown& s : shown)
        out << s.text;
    return out;
}
