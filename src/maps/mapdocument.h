#pragma once

#include "maps/mapcells.h"
#include "project/projectdocument.h"

#include <QList>
#include <QString>

#include <memory>

class ProjectSession;
class QUndoStack;

// One change of one cell slot: its tile code or its collision flag.
struct CellChange {
    enum Layer { Tile, Collision };
    int slot = 0;
    Layer layer = Tile;
    QString before;
    QString after;
};

// A map of the open project, as every window that shows it shares it: its cells, hero start,
// name and texture set, with an undo stack of the edits. The cells, the hero start and the name
// are written by save(); the texture set is written at once, as choosing one always did, so it
// never makes the map unsaved.
//
// Maps are opened through open(), which gives the document already open for that map when
// there is one. A document lives as long as a window holds it.
class MapDocument : public ProjectDocument, public std::enable_shared_from_this<MapDocument> {
    Q_OBJECT
public:
    // Map nn of the session's project: the open document, or one read from the map's files.
    // Nothing when the map file is missing or empty.
    static std::shared_ptr<MapDocument> open(ProjectSession& session, const QString& nn);
    ~MapDocument() override;

    const QString& number() const { return mNumber; }
    const QString& projectFolder() const { return mProjectFolder; }
    const MapCells& cells() const { return mCells; }
    // The hero start as the header of the file gave it ("05") or as placed since ("5").
    const QString& heroColumn() const { return mHeroColumn; }
    const QString& heroRow() const { return mHeroRow; }
    const QString& name() const { return mName; }
    // [Carte<NN>] texture, as stored.
    const QString& textureSet() const { return mTextureSet; }
    QUndoStack* undoStack() const { return mUndo; }

    bool isModified() const override { return mEditState != mSavedState; }
    // savemap: the name into projet.ini, then the collision file, then the map file, after
    // checking that every one of them can be written.
    QString save() override;
    QString saveQuestion() const override;
    // Reads the map's files again, dropping unsaved edits and the undo history. False, with
    // nothing changed, when the map file is missing or empty.
    bool revert();

    // Edits, each one step of the undo stack. Changes whose before equals after are dropped;
    // an edit that changes nothing pushes nothing. Edits of one stroke (the same non-zero
    // stroke number, one after the other) make one step.
    void changeCells(QList<CellChange> changes, const QString& text, int stroke = 0);
    // A stroke number not used before on this document.
    int newStroke() { return ++mLastStroke; }
    void toggleCollision(int slot);
    void setHeroStart(int column, int row);
    void reset(); // "Remettre la carte à zéro"
    void rename(const QString& name);
    // Gives texture set `set` (set number text) to the map at once: its tile sheet and key.
    // Empty on success, else the French message; nothing changes then.
    QString changeTextureSet(const QString& set, const QString& dataDir);

    // What the undo commands do and undo.
    void applyCells(const QList<CellChange>& changes, bool forward);
    void applyHeroStart(const QString& column, const QString& row);
    void applyName(const QString& name);
    QString applyTextureSet(const QString& set, const QString& dataDir);
    // Each edit of the files' content moves the document to a new state; undo and redo move it
    // back and forth, and the document is modified when its state is not the saved one.
    int newEditState() { return ++mLastState; }
    int editState() const { return mEditState; }
    void setEditState(int state);

signals:
    void cellsChanged(const QList<int>& changedSlots);
    void heroStartChanged();
    void nameChanged();
    void textureSetChanged();
    // A change given at once to the files failed while undoing or redoing it.
    void editFailed(const QString& message);

private:
    MapDocument(ProjectSession& session, QString nn, QString projectFolder);
    bool read();

    ProjectSession& mSession;
    QString mNumber;
    QString mProjectFolder;
    MapCells mCells;
    QString mHeroColumn;
    QString mHeroRow;
    QString mName;
    QString mTextureSet;
    QUndoStack* mUndo;
    int mLastState = 0;
    int mLastStroke = 0;
    int mEditState = 0;
    int mSavedState = 0;
};
