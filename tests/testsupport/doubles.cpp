#include "testsupport/doubles.h"

MsgAnswer ScriptedDialogService::message(QWidget*, const QString& text, const QString& title,
                                         MsgIcon icon, MsgButtons buttons) {
    shown.append({Shown::Message, text, title, icon, buttons, {}});
    if (!answers.isEmpty())
        return answers.takeFirst();
    return buttons == MsgButtons::Ok      ? MsgAnswer::Ok
           : buttons == MsgButtons::YesNo ? MsgAnswer::No
                                          : MsgAnswer::Cancel;
}

std::optional<QString> ScriptedDialogService::prompt(QWidget*, const QString& label,
                                                     const QString& title,
                                                     const QString& initial) {
    shown.append({Shown::Prompt, label, title, MsgIcon::None, MsgButtons::Ok, initial});
    return promptAnswers.isEmpty() ? std::nullopt : promptAnswers.takeFirst();
}

QStringList ScriptedDialogService::texts() const {
    QStringList out;
    for (const Shown& s : shown)
        out << s.text;
    return out;
}
