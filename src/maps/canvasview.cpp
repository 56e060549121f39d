#include "maps/canvasview.h"

#include "maps/mapcanvas.h"
#include "maps/toolicons.h"

#include <QAction>
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
    emit zoomChanged(zoom); // the window may grow before the view scrolls
    const QPointF after = mapPoint * zoom;
    horizontalScrollBar()->setValue(int(after.x()) - inView.x());
    verticalScrollBar()->setValue(int(after.y()) - inView.y());

    mZoomIn->setEnabled(zoom < MapCanvas::kMaxZoom);
    mZoomOut->setEnabled(zoom > MapCanvas::kMinZoom);
    mZoomReset->setEnabled(zoom != 1);
}
