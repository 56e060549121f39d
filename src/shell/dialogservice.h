#pragma once

#include <QList>
#include <QString>

#include <optional>

class QWidget;

// Every message box and input prompt of the program goes through one DialogService, so
// that tests script the answers and see what was shown.

enum class MsgIcon { None, Critical, Warning, Information };
enum class MsgButtons { Ok, YesNo, YesNoCancel };
enum class MsgAnswer { Ok, Yes, No, Cancel };

class DialogService {
public:
    virtual ~DialogService() = default;
    virtual MsgAnswer message(QWidget* parent, const QString& text, const QString& title,
                              MsgIcon icon, MsgButtons buttons) = 0;
    // Single-line prompt with OK and Cancel and a field holding `initial` (empty for a new
    // answer, the answer given before when it is changed); nothing on Cancel.
    virtual std::optional<QString> prompt(QWidget* parent, const QString& label,
                                          const QString& title,
                                          const QString& initial = QString()) = 0;
};

class QtDialogService : public DialogService {
public:
    MsgAnswer message(QWidget* parent, const QString& text, const QString& title, MsgIcon icon,
                      MsgButtons buttons) override;
    std::optional<QString> prompt(QWidget* parent, const QString& label, const QString& title,
                                  const QString& initial = QString()) override;
};
