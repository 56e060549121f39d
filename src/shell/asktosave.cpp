#include "shell/asktosave.h"

#include "project/projectdocument.h"
#include "shell/appinfo.h"
#include "shell/dialogservice.h"

bool askToSave(DialogService& dialogs, QWidget* parent, const QString& question,
               const std::function<QString()>& save) {
    switch (dialogs.message(parent, question, AppTitle, MsgIcon::Warning,
                            MsgButtons::YesNoCancel)) {
    case MsgAnswer::Yes:
        if (const QString error = save(); !error.isEmpty()) {
            dialogs.message(parent, error, AppTitle, MsgIcon::Critical, MsgButtons::Ok);
            return false;
        }
        return true;
    case MsgAnswer::No:
        return true;
    default:
        return false;
    }
}

bool askToSave(DialogService& dialogs, QWidget* parent, ProjectDocument& document) {
    return !document.isModified() ||
           askToSave(dialogs, parent, document.saveQuestion(), [&] { return document.save(); });
}
