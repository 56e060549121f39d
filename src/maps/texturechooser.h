#pragma once

#include <QGroupBox>

class QLabel;
class QPushButton;
class QScrollBar;

// The set chooser `Frame4` "Changer de texture" of the map editor: a set number scroll bar
// `HScroll2`, the previews `Image1` to `Image4` (tiles 1 to 4 of the chosen set) and `Command14`
// "OK", which hides the chooser and tells the editor the chosen set. Hidden at creation; the
// editor's "Changer de texture" button calls toggle().
class TextureChooser : public QGroupBox {
    Q_OBJECT
public:
    // dataDir is the supplied data folder holding the sets.
    explicit TextureChooser(QString dataDir, QWidget* parent = nullptr);

    // Shows the chooser when hidden, hides it otherwise, and counts the sets again (the
    // scroll bar's maximum). With no set at all the scroll bar and OK are disabled.
    void toggle();
    int chosenSet() const;
    // Puts the scroll bar on set `set` (the sets counted again) and shows its previews,
    // without showing the chooser: the editor shows the current map's set when it opens.
    void showSet(int set);

signals:
    // "OK": give set `set` (set number text) to the map.
    void setChosen(const QString& set);

private:
    void showPreviews(int set);

    QString mDataDir;
    QScrollBar* mScroll;
    QLabel* mNumber;
    QLabel* mPreviews[4];
    QPushButton* mOk;
};

// The tile picker `Frame5` "Déssin": the scroll bar `Choixtext` (tile k from 1) and the preview
// `Image5` of tile k of the map's set. Its greatest value is the set's tile count capped at
// ten, since a map file stores one digit per cell. The editor gives it the map's set, and
// keeps the tile palette in step with it through setTile() and tileChanged().
class TilePicker : public QGroupBox {
    Q_OBJECT
public:
    explicit TilePicker(QString dataDir, QWidget* parent = nullptr);

    int tile() const;
    // The tile code a press in drawing mode stores: tile - 1, as decimal text.
    QString tileCode() const;

public slots:
    // The set of the map shown (set number text, as stored): greatest value and preview.
    void setTextureSet(const QString& set);
    // Moves the picker to tile k, as the user would.
    void setTile(int tile);

signals:
    // The user moved the picker or clicked the preview: the owner selects drawing mode.
    void drawingChosen();
    // The tile is now k (moved, or lowered to the greatest value of a smaller set).
    void tileChanged(int tile);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void refresh();

    QString mDataDir;
    QString mSet;
    QScrollBar* mScroll;
    QLabel* mPreview;
};
