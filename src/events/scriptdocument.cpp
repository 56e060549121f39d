#include "events/scriptdocument.h"

#include "events/changescriptlines.h"
#include "events/eventscript.h"
#include "project/module1.h"
#include "project/projectsession.h"

#include <QDir>
#include <QFileInfo>
#include <QUndoStack>

ScriptDocument::ScriptDocument(ProjectSession& session, QObject* parent)
    : ProjectDocument(parent), mSession(session), mUndo(new QUndoStack(this)) {
    session.addDocument(this);
    connect(mUndo, &QUndoStack::cleanChanged, this,
            [this](bool clean) { emit modifiedChanged(!clean); });
    // Another editor saved this cell: show what it wrote, unless edits here are unsaved (the
    // user is asked about those before they could be dropped).
    connect(&session, &ProjectSession::scriptSaved, this,
            [this](const QString& map, int row, int column) {
                if (!mSaving && map == mMap && row == mRow && column == mColumn &&
                    mProjectFolder == mSession.folder() && !isModified())
                    reload();
            });
}

QString ScriptDocument::path() const {
    return eventScriptPath(mProjectFolder, mMap, QString::number(mRow), QString::number(mColumn));
}

void ScriptDocument::openCell(const QString& map, int row, int column,
                              const QStringList& whenMissing) {
    mProjectFolder = mSession.folder();
    mMap = map;
    mRow = row;
    mColumn = column;
    mWhenMissing = whenMissing;
    emit cellChanged();
    reload();
}

void ScriptDocument::reload() {
    if (!hasCell())
        return;
    const bool was = isModified();
    mLines = QFileInfo::exists(resolvePath(path())) ? loadevent(path()) : mWhenMissing;
    mUndo->clear();
    if (was)
        emit modifiedChanged(false);
    emit linesChanged();
}

bool ScriptDocument::isModified() const { return !mUndo->isClean(); }

void ScriptDocument::edit(QStringList lines, const QString& text) {
    if (lines == mLines)
        return;
    mUndo->push(new ChangeScriptLines(*this, mLines, std::move(lines), text));
}

void ScriptDocument::appendLine(const QString& line) {
    QStringList lines = mLines;
    lines.append(line);
    edit(std::move(lines), QStringLiteral("Ajouter une ligne"));
}

void ScriptDocument::removeLine(int index) {
    if (index < 0 || index >= mLines.size())
        return;
    QStringList lines = mLines;
    lines.removeAt(index);
    edit(std::move(lines), QStringLiteral("Supprimer une ligne"));
}

void ScriptDocument::moveLine(int from, int to) {
    if (from < 0 || from >= mLines.size() || to < 0 || to >= mLines.size())
        return;
    QStringList lines = mLines;
    lines.move(from, to);
    edit(std::move(lines), QStringLiteral("Déplacer une ligne"));
}

void ScriptDocument::replaceLine(int index, const QString& line) {
    if (index < 0 || index >= mLines.size())
        return;
    QStringList lines = mLines;
    lines[index] = line;
    edit(std::move(lines), QStringLiteral("Modifier une ligne"));
}

void ScriptDocument::applyLines(const QStringList& lines) {
    mLines = lines;
    emit linesChanged();
}

QString ScriptDocument::save() {
    if (!hasCell())
        return QString();
    if (!saveevent(mLines, path()))
        return QStringLiteral("Erreur : impossible d'enregistrer l'évènement dans le fichier ") +
               QDir::toNativeSeparators(path());
    mUndo->setClean();
    mSaving = true;
    mSession.notifyScriptSaved(mMap, mRow, mColumn);
    mSaving = false;
    return QString();
}

QString ScriptDocument::saveQuestion() const {
    return QStringLiteral("Enregistrer les modifications de l'évènement de la carte %1, ligne %2, "
                          "colonne %3 ?")
        .arg(mMap)
        .arg(mRow)
        .arg(mColumn);
}
