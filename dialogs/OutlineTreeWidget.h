// The document outline as items of a QTreeWidget, through the engine's outline sink.
#pragma once

#include <cstdint>

class QTreeWidget;

// Empties tree, then lets the engine add one item per bookmark of the open document docHandle.
// Each item keeps its 1-based target page (0 = none) under Qt::UserRole. Answers the engine's
// GetOutline result.
int32_t FillOutlineTree(QTreeWidget *tree, int32_t docHandle);
