#include "dialogservice.h"

#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>

MsgAnswer QtDialogService::message(QWidget* parent, const QString& text, const QString& title,
                                   MsgIcon icon, MsgButtons buttons) {
    QMessageBox box(parent);
    box.setWindowTitle(title);
    box.setText(text);
    switch (icon) {
    case MsgIcon::None: box.setIcon(QMessageBox::NoIcon); break;
    case MsgIcon::Critical: box.setIcon(QMessageBox::Critical); break;
    case MsgIcon::Warning: box.setIcon(QMessageBox::Warning); break;
    case MsgIcon::Information: box.setIcon(QMessageBox::Information); break;
    }
    if (buttons == MsgButtons::YesNo) {
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.button(QMessageBox::Yes)->setText(QStringLiteral("Oui"));
        box.button(QMessageBox::No)->setText(QStringLiteral("Non"));
        box.setDefaultButton(QMessageBox::Yes);
        return box.exec() == QMessageBox::Yes ? MsgAnswer::Yes : MsgAnswer::No;
    }
    box.setStandardButtons(QMessageBox::Ok);
    box.exec();
    return MsgAnswer::Ok;
}

std::optional<QString> QtDialogService::prompt(QWidget* parent, const QString& label,
                                               const QString& title) {
    QInputDialog dialog(parent);
    dialog.setWindowTitle(title);
    dialog.setLabelText(label);
    dialog.setTextValue(QString());
    dialog.setOkButtonText(QStringLiteral("OK"));
    dialog.setCancelButtonText(QStringLiteral("Annuler"));
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.textValue();
}

MsgAnswer ScriptedDialogService::message(QWidget*, const QString& text, const QString& title,
                                         MsgIcon icon, MsgButtons buttons) {
    shown.append({Shown::Message, text, title, icon, buttons});
    if (!answers.isEmpty())
        return answers.takeFirst();
    return buttons == MsgButtons::YesNo ? MsgAnswer::No : MsgAnswer::Ok;
}

std::optional<QString> ScriptedDialogService::prompt(QWidget*, const QString& label,
                                                     const QString& title) {
    shown.append({Shown::Prompt, label, title, MsgIcon::None, MsgButtons::Ok});
    if (!promptAnswers.isEmpty())
        return promptAnswers.takeFirst();
    return std::nullopt;
}
