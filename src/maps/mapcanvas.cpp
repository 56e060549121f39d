#include "maps/mapcanvas.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

MapCanvas::MapCanvas(QString appDir, QWidget* parent)
    : QWidget(parent), mAppDir(std::move(appDir)),
      mRenderer(palette().color(QPalette::Window)) {
    setObjectName(QStringLiteral("CarteImg"));
    setAccessibleName(QStringLiteral("Carte"));
    setFixedSize(mapgrid::kCanvasWidth, mapgrid::kCanvasHeight);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void MapCanvas::paintMap(std::span<const QString> tiles, std::span<const QString> collisions,
                         const QString& textureSet) {
    mRenderer.paint(tiles, collisions, mAppDir, textureSet);
    update();
}

void MapCanvas::paintMap(const QStringList& tiles, const QStringList& collisions,
                         const QString& textureSet) {
    mRenderer.paint(tiles, collisions, mAppDir, textureSet);
    update();
}

void MapCanvas::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    painter.drawImage(event->rect(), mRenderer.image(), event->rect());
}

void MapCanvas::mousePressEvent(QMouseEvent* event) {
    emit pressed(event->position().toPoint());
    event->accept();
}
