#pragma once

class DialogService;
class ProjectDocument;
class QWidget;

// Before unsaved edits of a document would be dropped: asks its question with "Oui", "Non" and
// "Annuler". "Oui" saves (a failed save is shown, and counts as "Annuler"); "Non" lets the
// edits go. True when the caller may go on, false when nothing must change.
bool askToSave(DialogService& dialogs, QWidget* parent, ProjectDocument& document);
