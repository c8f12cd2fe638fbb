#include "evaluation/qtbaumhilfe.h"

#include <QTreeWidget>
#include <QTreeWidgetItem>

#include <vector>

namespace talerwerk {

namespace {
constexpr int KnotenRolle = Qt::UserRole + 1;
}

void BaumFuellen(QTreeWidget* baum, const Auswahlbaum& knoten) {
    const QSignalBlocker sperre(baum);  // filling is no choice of the user
    baum->clear();
    baum->setHeaderHidden(true);
    std::vector<QTreeWidgetItem*> items(knoten.Knoten.size(), nullptr);
    for (size_t i = 0; i < knoten.Knoten.size(); ++i) {
        const Auswahlknoten& k = knoten.Knoten[i];
        QTreeWidgetItem* item;
        if (k.Elter >= 0 && static_cast<size_t>(k.Elter) < i && items[k.Elter])
            item = new QTreeWidgetItem(items[k.Elter]);
        else
            item = new QTreeWidgetItem(baum);
        item->setText(0, QString::fromStdString(k.Text));
        item->setData(0, KnotenRolle, static_cast<int>(i));
        items[i] = item;
    }
    for (size_t i = 0; i < items.size(); ++i)
        if (knoten.Knoten[i].Aufgeklappt) items[i]->setExpanded(true);
    if (knoten.Gewaehlt >= 0 && static_cast<size_t>(knoten.Gewaehlt) < items.size()) {
        baum->setCurrentItem(items[knoten.Gewaehlt]);
        items[knoten.Gewaehlt]->setSelected(true);
    }
}

int KnotenIndex(const QTreeWidgetItem* item) {
    if (!item) return -1;
    bool ok = false;
    const int index = item->data(0, KnotenRolle).toInt(&ok);
    return ok ? index : -1;
}

const Auswahlknoten* GewaehlterKnoten(const QTreeWidget* baum, const Auswahlbaum& knoten) {
    const int index = KnotenIndex(baum->currentItem());
    if (index < 0 || static_cast<size_t>(index) >= knoten.Knoten.size()) return nullptr;
    return &knoten.Knoten[index];
}

}  // namespace talerwerk
