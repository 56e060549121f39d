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
    if (buttons == MsgButtons::YesNo || buttons == MsgButtons::YesNoCancel) {
        auto standard = QMessageBox::Yes | QMessageBox::No;
        if (buttons == MsgButtons::YesNoCancel)
            standard |= QMessageBox::Cancel;
        box.setStandardButtons(standard);
        box.button(QMessageBox::Yes)->setText(QStringLiteral("Oui"));
        box.button(QMessageBox::No)->setText(QStringLiteral("Non"));
        if (buttons == MsgButtons::YesNoCancel) {
            box.button(QMessageBox::Cancel)->setText(QStringLiteral("Annuler"));
            box.setEscapeButton(QMessageBox::Cancel);
        }
        box.setDefaultButton(QMessageBox::Yes);
        switch (box.exec()) {
        case QMessageBox::Yes: return MsgAnswer::Yes;
        case QMessageBox::No: return MsgAnswer::No;
        default: return MsgAnswer::Cancel;
        }
    }
    box.setStandardButtons(QMessageBox::Ok);
    box.exec();
    return MsgAnswer::Ok;
}

std::optional<QString> QtDialogService::prompt(QWidget* parent, const QString& label,
                                               const QString& title, const QString& initial) {
    QInputDialog dialog(parent);
    dialog.setWindowTitle(title);
    dialog.setLabelText(label);
    dialog.setTextValue(initial);
    dialog.setOkButtonText(QStringLiteral("OK"));
    dialog.setCancelButtonText(QStringLiteral("Annuler"));
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.textValue();
}
