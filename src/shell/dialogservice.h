#pragma once

#include <QList>
#include <QString>

#include <optional>

class QWidget;

// Every message box and input prompt of the program goes through one DialogService, so
// that tests script the answers and see what was shown.

enum class MsgIcon { None, Critical, Warning, Information };
enum class MsgButtons { Ok, YesNo };
enum class MsgAnswer { Ok, Yes, No };

class DialogService {
public:
    virtual ~DialogService() = default;
    virtual MsgAnswer message(QWidget* parent, const QString& text, const QString& title,
                              MsgIcon icon, MsgButtons buttons) = 0;
    // Single-line prompt with OK and Cancel and an empty field; nothing on Cancel.
    virtual std::optional<QString> prompt(QWidget* parent, const QString& label,
                                          const QString& title) = 0;
};

class QtDialogService : public DialogService {
public:
    MsgAnswer message(QWidget* parent, const QString& text, const QString& title, MsgIcon icon,
                      MsgButtons buttons) override;
    std::optional<QString> prompt(QWidget* parent, const QString& label,
                                  const QString& title) override;
};

// Test double: records what was shown and answers from queues. With an empty queue a
// message is answered Ok (OK box) or No (Yes/No box), and a prompt is cancelled.
class ScriptedDialogService : public DialogService {
public:
    struct Shown {
        enum Kind { Message, Prompt } kind;
        QString text;
        QString title;
        MsgIcon icon = MsgIcon::None;
        MsgButtons buttons = MsgButtons::Ok;
    };

    MsgAnswer message(QWidget* parent, const QString& text, const QString& title, MsgIcon icon,
                      MsgButtons buttons) override;
    std::optional<QString> prompt(QWidget* parent, const QString& label,
                                  const QString& title) override;

    QList<Shown> shown;
    QList<MsgAnswer> answers;
    QList<std::optional<QString>> promptAnswers;
};
