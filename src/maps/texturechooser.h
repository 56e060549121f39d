#pragma once

#include <QGroupBox>

#include <functional>

struct AppServices;
class QLabel;
class QPushButton;
class QScrollBar;

// The set chooser `Frame4` "Changer de texture" of the map editor: a set number scroll bar
// `HScroll2`, the previews `Image1` to `Image4` (tiles 1 to 4 of the chosen set) and `Command14`
// "OK", which gives the chosen set to the map named by the editor's Label1. Hidden at
// creation; the editor's "Changer de texture" button calls toggle().
class TextureChooser : public QGroupBox {
    Q_OBJECT
public:
    // currentMap gives the map number text of the editor's Label1.
    TextureChooser(AppServices& services, std::function<QString()> currentProject,
                   std::function<QString()> currentMap, QWidget* parent = nullptr);

    // Shows the chooser when hidden, hides it otherwise, and counts the sets again (the
    // scroll bar's maximum). With no set at all the scroll bar and OK are disabled.
    void toggle();
    int chosenSet() const;
    // Puts the scroll bar on set `set` (the sets counted again) and shows its previews,
    // without showing the chooser: the editor shows the current map's set when it opens.
    void showSet(int set);

signals:
    // The map's set changed (not sent when giving the set failed, which shows a message and
    // changes nothing): the owner repaints the canvas and refreshes the tile picker.
    void textureApplied();

private:
    void showPreviews(int set);
    void apply();

    AppServices& mServices;
    std::function<QString()> mCurrentProject;
    std::function<QString()> mCurrentMap;
    QScrollBar* mScroll;
    QLabel* mNumber;
    QLabel* mPreviews[4];
    QPushButton* mOk;
};

// The tile picker `Frame5` "Déssin": the scroll bar `Choixtext` (tile k from 1) and the preview
// `Image5` of tile k of the map's set. Its greatest value is the set's tile count capped at
// ten, since a map file stores one digit per cell.
class TilePicker : public QGroupBox {
    Q_OBJECT
public:
    TilePicker(AppServices& services, std::function<QString()> currentProject,
               std::function<QString()> currentMap, QWidget* parent = nullptr);

    int tile() const;
    // The tile code a press in drawing mode stores: tile - 1, as decimal text.
    QString tileCode() const;

public slots:
    // Reads the map's set again: greatest value and preview. The owner calls it whenever a
    // map is shown and after a change of set, so that every tile can be reached.
    void refresh();

signals:
    // The user moved the picker or clicked the preview: the owner selects drawing mode.
    void drawingChosen();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QString mapSet() const;

    AppServices& mServices;
    std::function<QString()> mCurrentProject;
    std::function<QString()> mCurrentMap;
    QScrollBar* mScroll;
    QLabel* mPreview;
};
