#include "shell/asktosave.h"

#include "project/projectdocument.h"
#include "shell/appinfo.h"
#include "shell/dialogservice.h"

bool askToSave(DialogService& dialogs, QWidget* parent, ProjectDocument& document) {
    if (!document.isModified())
        return true;
    switch (dialogs.message(parent, document.saveQuestion(), AppTitle, MsgIcon::Warning,
                            MsgButtons::YesNoCancel)) {
    case MsgAnswer::Yes:
        if (const QString error = document.save(); !error.isEmpty()) {
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
