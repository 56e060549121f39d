#pragma once

#include <QString>

#include <functional>

class DialogService;
class ProjectDocument;
class QWidget;

// Before unsaved edits would be dropped: asks `question` with "Oui", "Non" and "Annuler".
// "Oui" runs `save` (a failure it reports is shown, and counts as "Annuler"); "Non" lets the
// edits go. True when the caller may go on, false when nothing must change.
bool askToSave(DialogService& dialogs, QWidget* parent, const QString& question,
               const std::function<QString()>& save);

// The same for one document, asked only when it holds unsaved edits.
bool askToSave(DialogService& dialogs, QWidget* parent, ProjectDocument& document);
