#include "maps/filltool.h"

#include "maps/paintgeometry.h"

FillTool::FillTool(QObject* parent) : MapTool(QStringLiteral("Remplissage"), parent) {}

void FillTool::mousePressed(const ToolTarget& target, mapgrid::Cell cell) {
    const auto& tiles = target.document->cells().maptiles;
    apply(target.document, target.layer,
          paintgeometry::floodCells(std::span<const QString>(tiles), cell),
          valueFor(target, cell),
          target.layer == CellChange::Tile ? QStringLiteral("Remplir")
                                           : QStringLiteral("Remplir de collisions"));
}
