#include "maps/canvasview.h"

#include "maps/mapcanvas.h"
#include "maps/toolicons.h"

#include <QAction>
#include <QCoreApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QScopedValueRollback>
#include <QScreen>
#include <QScrollBar>

CanvasView::CanvasView(MapCanvas* canvas, QWidget* parent)
    : QScrollArea(parent), mCanvas(canvas) {
    setObjectName(QStringLiteral("canvasView"));
    setFrameShape(QFrame::NoFrame);
    setAlignment(Qt::AlignCenter);
    setWidgetResizable(false);
    setWidget(canvas);
    // At 1x the whole map shows without scroll bars.
    setMinimumSize(canvas->size());
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    setFocusPolicy(Qt::NoFocus);

    const auto make = [this](const QString& text, const char* name, const QList<QKeySequence>& keys,
                             const QString& help) {
        auto* action = new QAction(text, this);
        action->setObjectName(QLatin1String(name));
        action->setShortcuts(keys);
        action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        action->setToolTip(text + QStringLiteral(" (") +
                           keys.first().toString(QKeySequence::NativeText) + QStringLiteral(")") +
                           help);
        return action;
    };
    mZoomIn = make(QStringLiteral("Zoom avant"), "zoomIn",
                   {QKeySequence(QStringLiteral("Ctrl++")), QKeySequence(QStringLiteral("Ctrl+="))},
                   QStringLiteral(" : carte 2 ou 3 fois plus grande ; aussi Ctrl + molette"));
    mZoomIn->setIcon(toolIcon(ToolIcon::ZoomIn));
    mZoomOut = make(QStringLiteral("Zoom arrière"), "zoomOut",
                    {QKeySequence(QStringLiteral("Ctrl+-"))}, QString());
    mZoomOut->setIcon(toolIcon(ToolIcon::ZoomOut));
    mZoomReset = make(QStringLiteral("Taille réelle"), "zoomReset",
                      {QKeySequence(QStringLiteral("Ctrl+0"))}, QString());
    mGrid = make(QStringLiteral("Grille"), "grid", {QKeySequence(QStringLiteral("G"))},
                 QStringLiteral(" : montre ou cache les bords des cases"));
    mGrid->setIcon(toolIcon(ToolIcon::Grid));
    mGrid->setCheckable(true);
    mGrid->setChecked(canvas->gridShown());
    mZoomOut->setEnabled(false);
    mZoomReset->setEnabled(false);

    connect(mZoomIn, &QAction::triggered, this, [this] { setZoom(zoom() + 1); });
    connect(mZoomOut, &QAction::triggered, this, [this] { setZoom(zoom() - 1); });
    connect(mZoomReset, &QAction::triggered, this, [this] { setZoom(1); });
    connect(mGrid, &QAction::toggled, canvas, &MapCanvas::setGridShown);
    connect(canvas, &MapCanvas::zoomRequested, this, [this](int step) {
        setZoom(zoom() + step, mCanvas->mapFromGlobal(QCursor::pos()));
    });
}

int CanvasView::zoom() const { return mCanvas->zoom(); }

void CanvasView::setZoom(int zoom, std::optional<QPoint> anchor) {
    zoom = std::clamp(zoom, MapCanvas::kMinZoom, MapCanvas::kMaxZoom);
    const int before = mCanvas->zoom();
    if (zoom == before)
        return;
    // The map point under the anchor, and where the anchor shows in the view.
    const QPoint inCanvas = anchor && mCanvas->rect().contains(*anchor)
                                ? *anchor
                                : mCanvas->mapFrom(viewport(), viewport()->rect().center());
    const QPoint inView = mCanvas->mapTo(viewport(), inCanvas);
    const QPointF mapPoint = QPointF(inCanvas) / before;

    mCanvas->setZoom(zoom);
    fitWindow(); // before the view scrolls within its new size
    emit zoomChanged(zoom);
    const QPointF after = mapPoint * zoom;
    horizontalScrollBar()->setValue(int(after.x()) - inView.x());
    verticalScrollBar()->setValue(int(after.y()) - inView.y());

    mZoomIn->setEnabled(zoom < MapCanvas::kMaxZoom);
    mZoomOut->setEnabled(zoom > MapCanvas::kMinZoom);
    mZoomReset->setEnabled(zoom != 1);
}

int CanvasView::fittingZoom() const {
    const QSize room = maximumViewportSize();
    int zoom = MapCanvas::kMaxZoom;
    while (zoom > MapCanvas::kMinZoom && (mapgrid::kCanvasWidth * zoom > room.width() ||
                                          mapgrid::kCanvasHeight * zoom > room.height()))
        --zoom;
    return zoom;
}

void CanvasView::resizeEvent(QResizeEvent* event) {
    QScrollArea::resizeEvent(event);
    if (!mFitting)
        setZoom(fittingZoom());
}

void CanvasView::fitWindow() {
    QWidget* frame = window();
    for (QWidget* w = parentWidget(); w; w = w->parentWidget())
        if (auto* sub = qobject_cast<QMdiSubWindow*>(w)) {
            frame = sub;
            break;
        }
    if (frame->isMaximized() || frame->isFullScreen())
        return;
    const QScopedValueRollback fitting(mFitting, true);
    if (zoom() == 1) {
        if (mGeometryBeforeZoom && frame->geometry() == mGeometryAfterZoom)
            frame->setGeometry(*mGeometryBeforeZoom);
        mGeometryBeforeZoom.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
        return;
    }
    const QSize missing = (mCanvas->size() - maximumViewportSize()).expandedTo({0, 0});
    if (missing.width() == 0 && missing.height() == 0)
        return;
    // The room there is: the main window's area for a child window, the screen otherwise.
    QRect room;
    if (auto* sub = qobject_cast<QMdiSubWindow*>(frame); sub && sub->mdiArea())
        room = sub->mdiArea()->viewport()->rect();
    else if (frame->screen())
        room = frame->screen()->availableGeometry();
    if (room.isEmpty())
        return;
    if (!mGeometryBeforeZoom)
        mGeometryBeforeZoom = frame->geometry();
    const QSize wanted = (frame->size() + missing).boundedTo(room.size());
    // Moved left and up when the window would pass the edge of the room.
    QPoint at = frame->pos();
    at.setX(std::max(room.left(), std::min(at.x(), room.right() + 1 - wanted.width())));
    at.setY(std::max(room.top(), std::min(at.y(), room.bottom() + 1 - wanted.height())));
    if (frame->parentWidget())
        frame->move(at);
    frame->resize(wanted);
    mGeometryAfterZoom = frame->geometry();
    // Settles the layouts now, so that the view scrolls within its new size.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
}
