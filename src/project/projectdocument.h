#pragma once

#include <QObject>
#include <QString>

// Something open in the program that may hold edits not yet written to the project's files:
// a map, or the event script of a cell. The session keeps the list of them, so that quitting,
// opening another project and the test run can ask about, or save, every unsaved edit.
class ProjectDocument : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    virtual bool isModified() const = 0;
    // Writes the document to its files. Empty on success, else a French message naming the
    // file that could not be written.
    virtual QString save() = 0;
    // The question asked before unsaved edits would be dropped, such as
    // "Enregistrer les modifications de la carte 01 ?".
    virtual QString saveQuestion() const = 0;

signals:
    void modifiedChanged(bool modified);
};
