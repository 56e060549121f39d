#include "plays/recordingstore.h"

#include "project/module1.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>

namespace {

const QString kIdFormat = QStringLiteral("yyyyMMdd-HHmmss");
const QString kNameKey = QStringLiteral("nom");

QByteArray contentOf(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QString cannotWrite(const QString& path) {
    return QStringLiteral("Impossible d'écrire le fichier ") + QDir::toNativeSeparators(path);
}

} // namespace

QString Recording::lengthText() const {
    const qint64 seconds = frames / 60;
    if (seconds < 60)
        return QString::number(seconds) + QStringLiteral(" s");
    return QStringLiteral("%1 min %2 s").arg(seconds / 60).arg(seconds % 60, 2, 10, QLatin1Char('0'));
}

RecordingStore::RecordingStore(QString projectDir) : mProjectDir(std::move(projectDir)) {}

std::optional<RunRecordFiles> RecordingStore::newRecordFiles(const QDateTime& when) const {
    if (!QDir().mkpath(folder()))
        return std::nullopt;
    const QString base = when.toString(kIdFormat);
    QString id = base;
    for (int n = 2; QFileInfo::exists(padPath(id)) || QFileInfo::exists(statePath(id)); ++n)
        id = base + u'-' + QString::number(n);
    return RunRecordFiles{padPath(id), screenPath(id), statePath(id)};
}

std::optional<Recording> RecordingStore::read(const QString& id) const {
    const QByteArray pad = contentOf(padPath(id));
    const RecordingHeaderInfo header = readRecordingHeader(pad);
    if (!header.valid)
        return std::nullopt;
    Recording r;
    r.id = id;
    r.started = QDateTime::fromSecsSinceEpoch(header.clockStart);
    r.frames = header.frames;
    r.liveChanges = header.liveChanges;
    r.end = parseGameState(contentOf(statePath(id)));
    r.checkName = readini(id, kNameKey, indexPath());
    return r;
}

QList<Recording> RecordingStore::list() const {
    QList<Recording> plays;
    const QStringList pads =
        QDir(folder()).entryList({QStringLiteral("*.txt")}, QDir::Files, QDir::Name | QDir::Reversed);
    for (const QString& pad : pads)
        if (auto r = read(pad.chopped(4)))
            plays.append(*r);
    std::stable_sort(plays.begin(), plays.end(), [](const Recording& a, const Recording& b) {
        return a.started > b.started;
    });
    return plays;
}

std::optional<Recording> RecordingStore::find(const QString& id) const {
    return read(id);
}

QList<Recording> RecordingStore::checks() const {
    QList<Recording> kept;
    for (const Recording& r : list())
        if (r.isCheck())
            kept.append(r);
    return kept;
}

QString RecordingStore::keep(const QString& id, const QString& name) {
    const auto play = find(id);
    if (!play)
        return QStringLiteral("Cette partie n'existe plus.");
    if (play->liveChanges > 0)
        return QStringLiteral("Cette partie a reçu des changements pendant qu'elle se jouait : "
                              "rejouée, elle ne finirait pas forcément de la même façon. "
                              "Enregistrez-en une nouvelle pour en faire une vérification.");
    if (!QFileInfo(screenPath(id)).isFile())
        return QStringLiteral("Cette partie n'a pas d'image de fin : elle ne peut pas servir de "
                              "vérification.");
    const QString trimmed = name.trimmed();
    if (trimmed.isEmpty())
        return QStringLiteral("Donnez un nom à la vérification.");
    if (!writeini(id, kNameKey, trimmed, indexPath()))
        return cannotWrite(indexPath());
    return QString();
}

QString RecordingStore::forget(const QString& id) {
    if (readini(id, kNameKey, indexPath()).isEmpty())
        return QString();
    if (!writeini(id, kNameKey, QString(), indexPath()))
        return cannotWrite(indexPath());
    return QString();
}

QString RecordingStore::remove(const QString& id) {
    if (const QString error = forget(id); !error.isEmpty())
        return error;
    for (const QString& path : {padPath(id), screenPath(id), statePath(id)})
        if (QFileInfo::exists(path) && !QFile::remove(path))
            return QStringLiteral("Impossible d'effacer le fichier ") + QDir::toNativeSeparators(path);
    return QString();
}
