#include "maps/paintbar.h"

#include "maps/canvasview.h"
#include "maps/painttools.h"
#include "maps/tilepalette.h"

#include <QAction>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QToolButton>

namespace {

QToolButton* toolButton(QAction* action, QWidget* parent) {
    auto* button = new QToolButton(parent);
    button->setDefaultAction(action);
    button->setObjectName(action->objectName() + QStringLiteral("Button"));
    button->setAutoRaise(true);
    button->setIconSize(QSize(20, 20));
    button->setFixedSize(28, 28);
    button->setAccessibleName(action->text());
    return button;
}

QFrame* separator(QWidget* parent) {
    auto* line = new QFrame(parent);
    line->setFrameShape(QFrame::VLine);
    line->setFrameShadow(QFrame::Sunken);
    return line;
}

} // namespace

PaintBar::PaintBar(PaintTools& tools, TilePalette* palette, CanvasView& view, QWidget* parent)
    : QWidget(parent) {
    setObjectName(QStringLiteral("paintBar"));
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(4, 2, 4, 2);
    row->setSpacing(2);
    for (PaintTools::Kind kind : {PaintTools::Pencil, PaintTools::Rectangle, PaintTools::Fill})
        row->addWidget(toolButton(tools.action(kind), this));
    row->addSpacing(4);
    row->addWidget(separator(this));
    row->addSpacing(4);
    palette->setParent(this);
    row->addWidget(palette);
    row->addStretch(1);
    row->addWidget(toolButton(view.gridAction(), this));
    row->addWidget(separator(this));
    row->addWidget(toolButton(view.zoomOutAction(), this));
    mZoom = new QLabel(QStringLiteral("1x"), this);
    mZoom->setObjectName(QStringLiteral("zoomLabel"));
    mZoom->setAccessibleDescription(QStringLiteral("Zoom"));
    mZoom->setAlignment(Qt::AlignCenter);
    mZoom->setMinimumWidth(22);
    row->addWidget(mZoom);
    row->addWidget(toolButton(view.zoomInAction(), this));
    connect(&view, &CanvasView::zoomChanged, this,
            [this](int zoom) { mZoom->setText(QString::number(zoom) + u'x'); });
}
