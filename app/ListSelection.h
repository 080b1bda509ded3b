#pragma once

#include <QListWidget>

namespace lw {

// The selected row of a list, or -1 when no row is selected. The current row is no guide:
// a list gets a current row when it takes the focus, without anything being selected.
inline int SelectedRow(const QListWidget& list) {
    const QList<QListWidgetItem*> items = list.selectedItems();
    return items.isEmpty() ? -1 : list.row(items.constFirst());
}

}  // namespace lw
