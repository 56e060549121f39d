#pragma once

#include "maps/maprenderer.h"

#include <QPointer>
#include <QWidget>

class MapDocument;

// The map canvas `CarteImg` of the map editor: shows the map document it is given, 481 x 249,
// and reports presses and double clicks of any mouse button. It repaints when the document
// says its cells or its texture set changed, so an idle canvas costs nothing.
class MapCanvas : public QWidget {
    Q_OBJECT
public:
    explicit MapCanvas(QString dataDir, QWidget* parent = nullptr);

    // The document shown; nullptr shows what was painted last.
    void setDocument(MapDocument* document);
    // Paints the document's cells over the kept picture (see MapRenderer::paint).
    void paintMap();

    const QImage& image() const { return mRenderer.image(); }
    MapRenderer& renderer() { return mRenderer; }

signals:
    // A mouse button went down at this canvas position (inside or outside the grid; see
    // mapgrid::cellAt). The button and the modifier keys make no difference.
    void pressed(QPoint position);
    void doubleClicked(QPoint position);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    QString mDataDir;
    MapRenderer mRenderer;
    QPointer<MapDocument> mDocument;
};
