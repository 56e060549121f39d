#pragma once

#include <QImage>
#include <QList>
#include <QWidget>

// The tile palette of the map editor: every tile of the map's texture set that a map can hold
// (the first ten), side by side, each with its code (0 to 9) under it and the chosen one
// outlined. A click or the keyboard (arrows, Home, End, or the code's digit) chooses a tile.
class TilePalette : public QWidget {
    Q_OBJECT
public:
    explicit TilePalette(QString dataDir, QWidget* parent = nullptr);

    // Tile k of the set, counted from 1 as the tile picker counts.
    int tile() const { return mTile; }
    int tileCount() const { return int(mPictures.size()); }
    // The place of tile k in the palette.
    QRect tileRect(int tile) const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

public slots:
    // The set of the map shown (set number text, as stored).
    void setTextureSet(const QString& set);
    // Outlines tile k, without telling anyone.
    void setTile(int tile);

signals:
    // The user chose tile k.
    void tileChosen(int tile);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool event(QEvent* event) override;

private:
    void choose(int tile);
    int tileAt(QPoint position) const;

    QString mDataDir;
    QList<QImage> mPictures;
    int mTile = 1;
};
