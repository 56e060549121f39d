#include "maps/mapcanvas.h"

#include "maps/mapdocument.h"
#include "maps/mapfiles.h"
#include "maps/paintgeometry.h"
#include "project/module1.h"

#include <QImageReader>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QWheelEvent>

#include <cmath>

using mapgrid::Cell;

namespace {

const QColor kGridColour(0, 0, 0, 70);
const QColor kPointerColour(255, 214, 0);
const QColor kEditedColour(235, 70, 30);
const QColor kGestureColour(0, 200, 255);
const QColor kScriptColour(255, 150, 0);

// The picture of the hero as the game first shows it; a missing picture gives a drawn mark.
QImage heroPicture(const QString& dataDir) {
    QImageReader reader(
        resolvePath(dataDir + QStringLiteral("/images/personnages/perso01/face1.png")));
    reader.setDecideFormatFromContent(true);
    return reader.read();
}

// An outline of `width` pixels drawn inside the area.
void outline(QPainter& painter, const QRect& area, const QColor& colour, int width) {
    painter.setPen(QPen(colour, width, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    painter.setBrush(Qt::NoBrush);
    const qreal half = width / 2.0;
    painter.drawRect(QRectF(area).adjusted(half, half, -half, -half));
}

} // namespace

MapCanvas::MapCanvas(QString dataDir, QWidget* parent)
    : QWidget(parent), mDataDir(std::move(dataDir)),
      mRenderer(palette().color(QPalette::Window)), mHero(heroPicture(mDataDir)) {
    setObjectName(QStringLiteral("CarteImg"));
    setAccessibleName(QStringLiteral("Carte"));
    setFixedSize(mapgrid::kCanvasWidth, mapgrid::kCanvasHeight);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    // A canvas without a map takes no focus; with one, the keyboard works it.
    setFocusPolicy(Qt::NoFocus);
}

void MapCanvas::setDocument(MapDocument* document) {
    if (mDocument)
        mDocument->disconnect(this);
    mDocument = document;
    if (document) {
        connect(document, &MapDocument::cellsChanged, this, &MapCanvas::cellsChanged);
        connect(document, &MapDocument::textureSetChanged, this, &MapCanvas::paintMap);
        connect(document, &MapDocument::heroStartChanged, this, &MapCanvas::heroStartChanged);
    }
    setFocusPolicy(document ? Qt::StrongFocus : Qt::NoFocus);
    paintMap();
    heroStartChanged();
}

void MapCanvas::paintMap() {
    if (!mDocument)
        return;
    const MapCells& cells = mDocument->cells();
    mRenderer.paint(std::span<const QString>(cells.maptiles),
                    std::span<const QString>(cells.mapcoll), mDataDir, mDocument->textureSet());
    update();
}

void MapCanvas::cellsChanged(const QList<int>& changed) {
    const MapCells& cells = mDocument->cells();
    const QRegion area = mRenderer.paintCells(std::span<const QString>(cells.maptiles),
                                              std::span<const QString>(cells.mapcoll), mDataDir,
                                              mDocument->textureSet(), changed);
    QRegion shown;
    for (const QRect& r : area)
        shown += QRect(r.topLeft() * mZoom, r.size() * mZoom);
    update(shown);
}

std::optional<Cell> MapCanvas::heroCell() const {
    if (!mDocument)
        return std::nullopt;
    const auto column = heroCoordinate(mDocument->heroColumn());
    const auto row = heroCoordinate(mDocument->heroRow());
    if (!column || !row || !paintgeometry::onGrid(Cell{*row, *column}))
        return std::nullopt;
    return Cell{*row, *column};
}

void MapCanvas::heroStartChanged() {
    updateCell(mHeroCell);
    mHeroCell = heroCell();
    updateCell(mHeroCell);
}

// ---- What is shown over the map

void MapCanvas::setZoom(int zoom) {
    zoom = std::clamp(zoom, kMinZoom, kMaxZoom);
    if (zoom == mZoom)
        return;
    mZoom = zoom;
    setFixedSize(mapgrid::kCanvasWidth * zoom, mapgrid::kCanvasHeight * zoom);
    update();
}

void MapCanvas::setGridShown(bool shown) {
    if (shown == mGrid)
        return;
    mGrid = shown;
    update();
}

void MapCanvas::setScriptedCells(const QSet<int>& cells) {
    if (cells == mScripted)
        return;
    for (int slot : (mScripted - cells) | (cells - mScripted))
        updateCell(mapgrid::cellOfSlot(slot));
    mScripted = cells;
}

void MapCanvas::setEditedCell(std::optional<Cell> cell) {
    if (cell == mEdited)
        return;
    updateCell(mEdited);
    mEdited = cell;
    updateCell(mEdited);
}

void MapCanvas::setGesture(std::optional<QRect> cells) {
    if (cells == mGesture)
        return;
    if (mGesture)
        update(cellArea(*mGesture));
    mGesture = cells;
    if (mGesture)
        update(cellArea(*mGesture));
}

void MapCanvas::setPointer(std::optional<Cell> cell) {
    if (cell && !paintgeometry::onGrid(*cell))
        cell.reset();
    if (cell == mPointer)
        return;
    updateCell(mPointer);
    mPointer = cell;
    updateCell(mPointer);
    emit pointerCellChanged();
}

QRect MapCanvas::cellArea(const QRect& cells) const {
    const QPoint origin = mapgrid::cellOrigin(cells.top(), cells.left());
    const QSize size(cells.width() * mapgrid::kCellWidth, cells.height() * mapgrid::kCellHeight);
    return QRect(origin * mZoom, size * mZoom).adjusted(-1, -1, 1, 1);
}

void MapCanvas::updateCell(std::optional<Cell> cell) {
    if (cell)
        update(cellArea(QRect(cell->column, cell->row, 1, 1)));
}

void MapCanvas::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    const QRect target = event->rect();
    const QRect source(QPoint(target.left() / mZoom, target.top() / mZoom),
                       QPoint(target.right() / mZoom, target.bottom() / mZoom));
    // Without smoothing the enlarged pixels stay sharp.
    painter.drawImage(QRect(source.topLeft() * mZoom, source.size() * mZoom), mRenderer.image(),
                      source);
    if (mDocument)
        drawOverlay(painter);
}

void MapCanvas::drawOverlay(QPainter& painter) const {
    using namespace mapgrid;
    const int cw = kCellWidth * mZoom;
    const int ch = kCellHeight * mZoom;
    const auto cellRect = [&](Cell c) {
        return QRect((c.column - 1) * cw, (c.row - 1) * ch, cw, ch);
    };

    if (mGrid) {
        painter.setPen(QPen(kGridColour, 1));
        for (int c = 1; c <= kColumns; ++c)
            painter.drawLine(c * cw, 0, c * cw, kRows * ch - 1);
        for (int r = 1; r <= kRows; ++r)
            painter.drawLine(0, r * ch, kColumns * cw - 1, r * ch);
    }

    // A small square in the top right corner of each cell that has an event script.
    const int badge = 7 * mZoom;
    for (int slot : mScripted) {
        if (slot >= kCells)
            continue;
        const QRect cell = cellRect(cellOfSlot(slot));
        const QRect mark(cell.right() - badge - mZoom, cell.top() + 2 * mZoom, badge, badge);
        painter.setPen(QPen(QColor(70, 35, 0), mZoom));
        painter.setBrush(kScriptColour);
        painter.drawRect(mark);
    }

    if (mHeroCell) {
        const QRect cell = cellRect(*mHeroCell);
        if (!mHero.isNull()) {
            painter.drawImage(cell, mHero);
        } else {
            painter.setPen(QPen(Qt::black, mZoom));
            painter.setBrush(QColor(40, 110, 255));
            const int d = 16 * mZoom;
            painter.drawEllipse(QRect(cell.center() - QPoint(d / 2, d / 2), QSize(d, d)));
        }
    }

    const int line = 2 * mZoom;
    if (mEdited)
        outline(painter, cellRect(*mEdited), kEditedColour, line);
    if (mGesture) {
        const QRect area(QPoint((mGesture->left() - 1) * cw, (mGesture->top() - 1) * ch),
                         QSize(mGesture->width() * cw, mGesture->height() * ch));
        painter.fillRect(area, QColor(kGestureColour.red(), kGestureColour.green(),
                                      kGestureColour.blue(), 60));
        outline(painter, area, kGestureColour, line);
    }
    if (mPointer)
        outline(painter, cellRect(*mPointer), kPointerColour, line);
}

// ---- Mouse

QPoint MapCanvas::mapPosition(QPointF widgetPosition) const {
    return QPoint(int(std::floor(widgetPosition.x() / mZoom)),
                  int(std::floor(widgetPosition.y() / mZoom)));
}

void MapCanvas::mousePressEvent(QMouseEvent* event) {
    event->accept();
    const QPoint at = mapPosition(event->position());
    if (mDocument)
        setPointer(mapgrid::cellAt(at));
    const bool first = mButtons == Qt::NoButton;
    mButtons |= event->button();
    if (first)
        emit pressed(at);
    else
        emit cancelRequested();
}

void MapCanvas::mouseMoveEvent(QMouseEvent* event) {
    event->accept();
    const QPoint at = mapPosition(event->position());
    if (mDocument)
        setPointer(mapgrid::cellAt(at));
    if (mButtons != Qt::NoButton)
        emit moved(at);
}

void MapCanvas::mouseReleaseEvent(QMouseEvent* event) {
    event->accept();
    if (mButtons == Qt::NoButton)
        return;
    mButtons &= ~event->button();
    if (mButtons == Qt::NoButton)
        emit released(mapPosition(event->position()));
}

void MapCanvas::mouseDoubleClickEvent(QMouseEvent* event) {
    event->accept();
    const QPoint at = mapPosition(event->position());
    // The second press of a double click has come as a press already; a double click that
    // comes alone acts as a click first.
    if (mButtons == Qt::NoButton) {
        if (mDocument)
            setPointer(mapgrid::cellAt(at));
        emit pressed(at);
        emit released(at);
    }
    emit doubleClicked(at);
}

void MapCanvas::leaveEvent(QEvent* event) {
    // With the focus, the outlined cell stays: it is where the keyboard acts.
    if (!hasFocus())
        setPointer(std::nullopt);
    QWidget::leaveEvent(event);
}

void MapCanvas::wheelEvent(QWheelEvent* event) {
    if (!(event->modifiers() & Qt::ControlModifier) || event->angleDelta().y() == 0) {
        event->ignore(); // the scroll area scrolls
        return;
    }
    event->accept();
    emit zoomRequested(event->angleDelta().y() > 0 ? 1 : -1);
}

// ---- Keyboard

void MapCanvas::keyPressEvent(QKeyEvent* event) {
    if (!mDocument) {
        QWidget::keyPressEvent(event);
        return;
    }
    const auto centre = [](Cell c) {
        return mapgrid::cellOrigin(c.row, c.column) +
               QPoint(mapgrid::kCellWidth / 2, mapgrid::kCellHeight / 2);
    };
    QPoint step;
    switch (event->key()) {
    case Qt::Key_Left: step = {-1, 0}; break;
    case Qt::Key_Right: step = {1, 0}; break;
    case Qt::Key_Up: step = {0, -1}; break;
    case Qt::Key_Down: step = {0, 1}; break;
    case Qt::Key_Space:
        if (mKeyboardDrag)
            endKeyboardDrag();
        else if (mPointer) {
            emit pressed(centre(*mPointer));
            emit released(centre(*mPointer));
        }
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (mPointer && !mKeyboardDrag) {
            emit pressed(centre(*mPointer));
            emit released(centre(*mPointer));
            emit doubleClicked(centre(*mPointer));
        }
        return;
    case Qt::Key_Escape:
        mKeyboardDrag = false;
        emit cancelRequested();
        return;
    default:
        QWidget::keyPressEvent(event);
        return;
    }
    // An arrow: the first one shows the outline on the top left cell.
    if (!mPointer) {
        setPointer(Cell{1, 1});
        return;
    }
    const bool drag = event->modifiers() & Qt::ShiftModifier;
    if (drag && !mKeyboardDrag) {
        mKeyboardDrag = true;
        emit pressed(centre(*mPointer));
    } else if (!drag && mKeyboardDrag) {
        endKeyboardDrag();
    }
    setPointer(paintgeometry::clampToGrid(
        Cell{mPointer->row + step.y(), mPointer->column + step.x()}));
    if (mKeyboardDrag)
        emit moved(centre(*mPointer));
}

void MapCanvas::keyReleaseEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Shift && mKeyboardDrag)
        endKeyboardDrag();
    QWidget::keyReleaseEvent(event);
}

void MapCanvas::focusOutEvent(QFocusEvent* event) {
    if (mKeyboardDrag)
        endKeyboardDrag();
    QWidget::focusOutEvent(event);
}

void MapCanvas::endKeyboardDrag() {
    mKeyboardDrag = false;
    if (mPointer)
        emit released(mapgrid::cellOrigin(mPointer->row, mPointer->column) +
                      QPoint(mapgrid::kCellWidth / 2, mapgrid::kCellHeight / 2));
}
