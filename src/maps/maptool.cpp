#include "maps/maptool.h"

MapTool::MapTool(QString name, QObject* parent) : QObject(parent), mName(std::move(name)) {}

QString MapTool::valueFor(const ToolTarget& target, mapgrid::Cell first) {
    if (target.layer == CellChange::Tile)
        return target.tileCode;
    const QString& flag = target.document->cells().mapcoll[size_t(first.slot())];
    return flag == QLatin1String("1") ? QStringLiteral("0") : QStringLiteral("1");
}

void MapTool::apply(MapDocument* document, CellChange::Layer layer,
                    const QList<mapgrid::Cell>& cells, const QString& value, const QString& text,
                    int stroke) {
    if (!document || cells.isEmpty())
        return;
    QList<CellChange> changes;
    changes.reserve(cells.size());
    for (const mapgrid::Cell& cell : cells)
        changes.append({cell.slot(), layer, {}, value});
    document->changeCells(std::move(changes), text, stroke);
}
