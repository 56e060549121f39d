#pragma once

// Test doubles of the program's services: dialogs scripted, programs and documents recorded.

#include "testsupport/processes.h"
#include "shell/dialogservice.h"
#include "shell/services.h"

#include <QList>
#include <QStringList>

// Records what was shown and answers from queues. With an empty queue a message is answered
// Ok (OK box), No (Yes/No box) or Cancel (Yes/No/Cancel box), and a prompt is cancelled.
class ScriptedDialogService : public DialogService {
public:
    struct Shown {
        enum Kind { Message, Prompt } kind;
        QString text;
        QString title;
        MsgIcon icon = MsgIcon::None;
        MsgButtons buttons = MsgButtons::Ok;
        QString initial; // a prompt's field as it opened
    };

    MsgAnswer message(QWidget* parent, const QString& text, const QString& title, MsgIcon icon,
                      MsgButtons buttons) override;
    std::optional<QString> prompt(QWidget* parent, const QString& label, const QString& title,
                                  const QString& initial = QString()) override;

    QStringList texts() const;

    QList<Shown> shown;
    QList<MsgAnswer> answers;
    QList<std::optional<QString>> promptAnswers;
};

class RecordingDocumentService : public DocumentService {
public:
    void open(const QString& path) override { opened.append(path); }
    QStringList opened;
};
