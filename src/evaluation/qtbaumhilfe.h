#pragma once
// Renders a selection tree of the evaluation engine (account tree, period tree) in a QTreeWidget:
// nodes in order, root expanded one level, the engine's chosen node selected and current. Each
// item carries the index of its node, so a window reads the chosen account or period back from
// the same Auswahlbaum.

#include "evaluation/auswahlbaeume.h"

class QTreeWidget;
class QTreeWidgetItem;

namespace talerwerk {

void BaumFuellen(QTreeWidget* baum, const Auswahlbaum& knoten);

// Index of the item's node in the Auswahlbaum it was filled from; −1 for no item.
int KnotenIndex(const QTreeWidgetItem* item);

// The node of the tree's current item, nullptr when none is current.
const Auswahlknoten* GewaehlterKnoten(const QTreeWidget* baum, const Auswahlbaum& knoten);

}  // namespace talerwerk
