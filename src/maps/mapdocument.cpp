#include "maps/mapdocument.h"

#include "maps/changecells.h"
#include "maps/changetextureset.h"
#include "maps/mapfiles.h"
#include "maps/renamemap.h"
#include "maps/setherostart.h"
#include "maps/textureset.h"
#include "project/module1.h"
#include "project/projectsession.h"

#include <QUndoStack>

#include <numeric>

namespace {

QString cannotWrite(const QString& path) {
    return QStringLiteral("Erreur : impossible d'écrire le fichier ") + path +
           QStringLiteral(" , la carte n'a pas été sauvegardée.");
}

} // namespace

std::shared_ptr<MapDocument> MapDocument::open(ProjectSession& session, const QString& nn) {
    const QString folder = session.folder();
    for (ProjectDocument* d : session.documents())
        if (auto* map = qobject_cast<MapDocument*>(d);
            map && map->mNumber == nn && map->mProjectFolder == folder)
            return map->shared_from_this();

    std::shared_ptr<MapDocument> document(new MapDocument(session, nn, folder));
    if (!document->read())
        return nullptr;
    session.addDocument(document.get());
    return document;
}

bool MapDocument::read() {
    auto files = readMapFiles(mProjectFolder, mNumber);
    if (!files)
        return false;
    const ProjectIni ini = ProjectFile(mProjectFolder + QStringLiteral("/projet.ini")).read();
    mCells = std::move(files->cells);
    mHeroColumn = files->heroX;
    mHeroRow = files->heroY;
    mName = ini.mapName(mNumber);
    mTextureSet = ini.mapTexture(mNumber);
    return true;
}

bool MapDocument::revert() {
    if (!read())
        return false;
    mUndo->clear();
    const bool was = isModified();
    mEditState = mSavedState = ++mLastState;
    if (was)
        emit modifiedChanged(false);
    QList<int> all(mapgrid::kSlots);
    std::iota(all.begin(), all.end(), 0);
    emit cellsChanged(all);
    emit heroStartChanged();
    emit nameChanged();
    emit textureSetChanged();
    return true;
}

MapDocument::MapDocument(ProjectSession& session, QString nn, QString projectFolder)
    : mSession(session), mNumber(std::move(nn)), mProjectFolder(std::move(projectFolder)),
      mUndo(new QUndoStack(this)) {}

MapDocument::~MapDocument() = default;

QString MapDocument::saveQuestion() const {
    return QStringLiteral("Enregistrer les modifications de la carte ") + mNumber +
           QStringLiteral(" ?");
}

QString MapDocument::save() {
    const auto x = heroCoordinate(mHeroColumn);
    const auto y = heroCoordinate(mHeroRow);
    if (!x || !y)
        return QStringLiteral("Erreur : la position de départ du héro (X : \"") + mHeroColumn +
               QStringLiteral("\" , Y : \"") + mHeroRow +
               QStringLiteral("\") n'est pas un nombre. Rien n'a été sauvegardé.");

    const ProjectFile ini(mProjectFolder + QStringLiteral("/projet.ini"));
    const QString ev = collisionFilePath(mProjectFolder, mNumber);
    const QString map = mapFilePath(mProjectFolder, mNumber);
    // Every file is checked before any is written, so that a refused file leaves the map's
    // files as they were.
    for (const QString& path : {ini.path(), ev, map})
        if (!canReplace(path))
            return cannotWrite(path);
    if (!ini.setMapName(mNumber, mName))
        return cannotWrite(ini.path());
    if (!writefile(mCells.collisionFileText(), ev))
        return cannotWrite(ev);
    if (!writefile(mCells.mapFileText(*x, *y), map))
        return cannotWrite(map);

    const bool was = isModified();
    mSavedState = mEditState;
    if (was)
        emit modifiedChanged(false);
    mSession.notifyMapSaved(mNumber);
    mSession.notifyMapsChanged(); // the name shows in the map lists
    return QString();
}

void MapDocument::changeCells(QList<CellChange> changes, const QString& text, int stroke) {
    QList<CellChange> real;
    for (CellChange& c : changes) {
        if (c.slot < 0 || c.slot >= mapgrid::kSlots)
            continue;
        c.before = c.layer == CellChange::Tile ? mCells.maptiles[c.slot] : mCells.mapcoll[c.slot];
        if (c.before != c.after)
            real.append(c);
    }
    if (real.isEmpty())
        return;
    mUndo->push(new ChangeCells(*this, std::move(real), text, stroke));
}

void MapDocument::toggleCollision(int slot) {
    if (slot < 0 || slot >= mapgrid::kSlots)
        return;
    const QString now = mCells.mapcoll[slot] == QLatin1String("1") ? QStringLiteral("0")
                                                                   : QStringLiteral("1");
    changeCells({{slot, CellChange::Collision, {}, now}}, QStringLiteral("Collision"));
}

void MapDocument::setHeroStart(int column, int row) {
    const QString c = QString::number(column);
    const QString r = QString::number(row);
    if (c == mHeroColumn && r == mHeroRow)
        return;
    mUndo->push(new SetHeroStart(*this, c, r));
}

void MapDocument::reset() {
    QList<CellChange> changes;
    for (int s = 0; s < mapgrid::kSlots; ++s) {
        changes.append({s, CellChange::Tile, {}, QStringLiteral("0")});
        changes.append({s, CellChange::Collision, {}, QStringLiteral("0")});
    }
    changeCells(std::move(changes), QStringLiteral("Remettre la carte à zéro"));
}

void MapDocument::rename(const QString& name) {
    if (name == mName)
        return;
    mUndo->push(new RenameMap(*this, name));
}

QString MapDocument::changeTextureSet(const QString& set, const QString& dataDir) {
    const QString before = mTextureSet;
    if (const QString error = applyTextureSet(set, dataDir); !error.isEmpty())
        return error;
    mUndo->push(new ChangeTextureSet(*this, before, set, dataDir));
    return QString();
}

void MapDocument::applyCells(const QList<CellChange>& changes, bool forward) {
    QList<int> changed;
    changed.reserve(changes.size());
    for (const CellChange& c : changes) {
        auto& store = c.layer == CellChange::Tile ? mCells.maptiles : mCells.mapcoll;
        store[c.slot] = forward ? c.after : c.before;
        if (!changed.contains(c.slot))
            changed.append(c.slot);
    }
    emit cellsChanged(changed);
}

void MapDocument::applyHeroStart(const QString& column, const QString& row) {
    mHeroColumn = column;
    mHeroRow = row;
    emit heroStartChanged();
}

void MapDocument::applyName(const QString& name) {
    mName = name;
    emit nameChanged();
}

QString MapDocument::applyTextureSet(const QString& set, const QString& dataDir) {
    const auto result = TextureSet(dataDir, set).applyTo(mProjectFolder, mNumber);
    if (result != TextureSet::ApplyResult::Applied)
        return TextureSet::applyErrorText(result, mNumber);
    mTextureSet = set;
    emit textureSetChanged();
    mSession.notifyMapsChanged();
    return QString();
}

void MapDocument::setEditState(int state) {
    const bool was = isModified();
    mEditState = state;
    if (isModified() != was)
        emit modifiedChanged(isModified());
}
