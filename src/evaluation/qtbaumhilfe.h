#pragma once
// Renders a selection tree of the evaluation engine (account tree, period tree) in a QTreeWidget:
// nodes in order, root expanded one level, the engine's chosen node selected and current. Each
// item carries the index of its node, so a window reads the chosen account or period back from
// the same Auswahlbaum.

#include <QContextMenuEvent>
#include <QTreeWidget>

#include <functional>

#include "evaluation/auswahlbaeume.h"

namespace talerwerk {

// A tree of a list dialog (chart, filters): its context menu opens on the entry under the mouse,
// or from the keyboard on the selected entry, below it.
class KontextBaum : public QTreeWidget {
public:
    using QTreeWidget::QTreeWidget;
    std::function<void(QTreeWidgetItem*, QPoint)> kontextmenue;

protected:
    void contextMenuEvent(QContextMenuEvent* e) override {
        QTreeWidgetItem* item = currentItem();
        QPoint ort = e->globalPos();
        if (e->reason() == QContextMenuEvent::Mouse) {
            if (QTreeWidgetItem* unter = itemAt(e->pos())) item = unter;
        } else if (item) {
            ort = viewport()->mapToGlobal(visualItemRect(item).bottomLeft());
        }
        if (kontextmenue) kontextmenue(item, ort);
        e->accept();
    }
};

void BaumFuellen(QTreeWidget* baum, const Auswahlbaum& knoten);

// Index of the item's node in the Auswahlbaum it was filled from; −1 for no item.
int KnotenIndex(const QTreeWidgetItem* item);

// The node of the tree's current item, nullptr when none is current.
const Auswahlknoten* GewaehlterKnoten(const QTreeWidget* baum, const Auswahlbaum& knoten);

}  // namespace talerwerk
