#include "maps/painttools.h"

#include "maps/filltool.h"
#include "maps/penciltool.h"
#include "maps/rectangletool.h"
#include "maps/toolicons.h"

#include <QAction>
#include <QActionGroup>

PaintTools::PaintTools(QObject* parent) : QObject(parent) {
    mTools = {new PencilTool(this), new RectangleTool(this), new FillTool(this)};
    struct Look {
        const char* name;
        ToolIcon icon;
        const char* key;
        QString help;
    };
    const std::array<Look, 3> looks{{
        {"toolPencil", ToolIcon::Pencil, "B",
         QStringLiteral("peint chaque case que la souris traverse")},
        {"toolRectangle", ToolIcon::Rectangle, "R",
         QStringLiteral("tirez d'un coin au coin opposé")},
        {"toolFill", ToolIcon::Fill, "F",
         QStringLiteral("remplit les cases voisines de même tuile")},
    }};
    auto* group = new QActionGroup(this);
    for (size_t k = 0; k < mTools.size(); ++k) {
        MapTool* tool = mTools[k];
        const Look& look = looks[k];
        auto* action = new QAction(toolIcon(look.icon), tool->name(), this);
        action->setObjectName(QLatin1String(look.name));
        action->setCheckable(true);
        action->setShortcut(QKeySequence(QLatin1String(look.key)));
        action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        action->setToolTip(tool->name() + QStringLiteral(" (") + QLatin1String(look.key) +
                           QStringLiteral(") : ") + look.help);
        group->addAction(action);
        mActions[k] = action;
        connect(action, &QAction::triggered, this, [this, k] { choose(Kind(k)); });
        connect(tool, &MapTool::previewChanged, this, [this, tool] {
            if (tool == this->tool())
                emit gestureChanged(tool->preview());
        });
    }
    mActions[Pencil]->setChecked(true);
}

void PaintTools::choose(Kind kind) {
    mActions[size_t(kind)]->setChecked(true);
    if (kind == mCurrent)
        return;
    tool()->deactivate();
    mCurrent = kind;
    tool()->activate();
    emit gestureChanged(tool()->preview());
}
