#pragma once

#include "maps/maprenderer.h"

#include <QWidget>

// The map canvas `CarteImg` of the map editor: shows the renderer's picture at (0, 0),
// 481 x 249, and reports presses of any mouse button. It repaints only when told: the owner
// calls paintMap() after every change of the map state or of the texture set (a press, a
// load, a reset, a new set). Uncovering the window redraws the kept picture, so an idle
// canvas costs nothing.
class MapCanvas : public QWidget {
    Q_OBJECT
public:
    explicit MapCanvas(QString appDir, QWidget* parent = nullptr);

    // Paints the cells of the stores with texture set textureSet over the kept picture (see
    // MapRenderer::paint) and schedules the widget's repaint.
    void paintMap(std::span<const QString> tiles, std::span<const QString> collisions,
                  const QString& textureSet);
    void paintMap(const QStringList& tiles, const QStringList& collisions,
                  const QString& textureSet);

    const QImage& image() const { return mRenderer.image(); }
    MapRenderer& renderer() { return mRenderer; }

signals:
    // A mouse button went down at this canvas position (inside or outside the grid; see
    // mapgrid::cellAt). The button and the modifier keys make no difference.
    void pressed(QPoint position);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    QString mAppDir;
    MapRenderer mRenderer;
};
