#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// One texture set: the numbered folder images/terrains/terrain<NN> of the supplied data, described by texture.ini ([texture] nbimg = number of tiles). Tile k (from 1) is
// the picture "terrain0" + k + ".JPG": the 0 is a fixed character, so tile 10 is
// terrain010.JPG. Sets are read-only data; only applyTo() writes, and into the project.
class TextureSet {
public:
    // A map file holds one digit per cell, so only the first ten tiles can be stored.
    static constexpr int kMaxPickableTiles = 10;

    // dataDir is the supplied data folder; setNumber the set number text ("01", "10"), used
    // exactly as given.
    TextureSet(QString dataDir, QString setNumber);
    // Set n, named by its map number text.
    TextureSet(const QString& dataDir, int n);

    // Number of sets: sets 1, 2, 3... up to the first whose texture.ini has an empty nbimg
    // (missing file or key included).
    static int count(const QString& dataDir);

    const QString& number() const { return mNumber; }
    QString folder() const;
    QString iniPath() const;
    // Number of tiles (nbimg), or nothing when it is missing or not a whole number.
    std::optional<int> tileCount() const;
    // Greatest value of the tile picker: nbimg capped at ten, at least 1.
    int pickerMaximum() const;

    // Picture of tile k, counted from 1.
    QString tilePath(int tile) const;
    // Picture that paints the tile code (tile code + 1).
    QString codePicturePath(int code) const { return tilePath(code + 1); }
    // The four previews of the set chooser: tiles 1 to 4.
    QStringList previewPaths() const;
    // The set's tile sheet for the game, copied into a map as terrain.png.
    QString sheetPath() const;

    enum class ApplyResult { Applied, SheetMissing, CopyFailed, IniFailed };
    // Gives the set to map mapNumber of the project folder: copies the set's terrain01.png
    // over images/map<MM>/terrain.png, then writes [Carte<MM>] texture = NN in projet.ini.
    // The sheet is copied first so that a failed copy leaves the map as it was.
    ApplyResult applyTo(const QString& projectDir, const QString& mapNumber) const;
    // French message for a failure of applyTo(), empty for Applied.
    static QString applyErrorText(ApplyResult result, const QString& mapNumber);

private:
    QString mDataDir;
    QString mNumber;
};
