#pragma once

#include <QIcon>

// Small pictures of the map editor's tools and view buttons, drawn here so that they look the
// same on every desktop.
enum class ToolIcon { Pencil, Rectangle, Fill, Grid, ZoomIn, ZoomOut };

QIcon toolIcon(ToolIcon kind);
