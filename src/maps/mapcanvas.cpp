#include "maps/mapcanvas.h"

#include "maps/mapdocument.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

MapCanvas::MapCanvas(QString dataDir, QWidget* parent)
    : QWidget(parent), mDataDir(std::move(dataDir)),
      mRenderer(palette().color(QPalette::Window)) {
    setObjectName(QStringLiteral("CarteImg"));
    setAccessibleName(QStringLiteral("Carte"));
    setFixedSize(mapgrid::kCanvasWidth, mapgrid::kCanvasHeight);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void MapCanvas::setDocument(MapDocument* document) {
    if (mDocument)
        mDocument->disconnect(this);
    mDocument = document;
    if (document) {
        connect(document, &MapDocument::cellsChanged, this, &MapCanvas::paintMap);
        connect(document, &MapDocument::textureSetChanged, this, &MapCanvas::paintMap);
    }
    paintMap();
}

void MapCanvas::paintMap() {
    if (!mDocument)
        return;
    const MapCells& cells = mDocument->cells();
    mRenderer.paint(std::span<const QString>(cells.maptiles), std::span<const QString>(cells.mapcoll),
                    mDataDir, mDocument->textureSet());
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

void MapCanvas::mouseDoubleClickEvent(QMouseEvent* event) {
    emit doubleClicked(event->position().toPoint());
    event->accept();
}
