#include "ui/SelectedRows.h"

#include <QAbstractItemView>
#include <QItemSelectionModel>

#include <algorithm>

namespace glyphwright::ui {

std::vector<std::size_t> SelectedRows(const QAbstractItemView& view) {
    std::vector<std::size_t> rows;
    const QItemSelectionModel* selection = view.selectionModel();
    if (selection == nullptr) {
        return rows;
    }
    for (const QItemSelectionRange& range : selection->selection()) {
        if (!range.isValid() || range.parent().isValid()) {
            continue;
        }
        for (int row = range.top(); row <= range.bottom(); ++row) {
            rows.push_back(static_cast<std::size_t>(row));
        }
    }
    // Ranges may overlap and come in any order.
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    return rows;
}

} // namespace glyphwright::ui
