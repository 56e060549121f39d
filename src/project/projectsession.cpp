#include "project/projectsession.h"

#include "project/projectdocument.h"

ProjectSession::ProjectSession(AppPaths paths, QObject* parent)
    : QObject(parent), mPaths(std::move(paths)) {}

void ProjectSession::open(const QString& name) {
    mName = name;
    emit projectChanged(mName);
}

void ProjectSession::addDocument(ProjectDocument* document) {
    if (mDocuments.contains(document))
        return;
    mDocuments.append(document);
    connect(document, &QObject::destroyed, this,
            [this, document] { mDocuments.removeOne(document); });
}

QList<ProjectDocument*> ProjectSession::modifiedDocuments() const {
    QList<ProjectDocument*> modified;
    for (ProjectDocument* d : mDocuments)
        if (d->isModified())
            modified.append(d);
    return modified;
}

QString ProjectSession::saveAll() {
    for (ProjectDocument* d : modifiedDocuments())
        if (const QString error = d->save(); !error.isEmpty())
            return error;
    return QString();
}
