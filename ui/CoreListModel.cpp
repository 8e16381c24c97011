#include "ui/CoreListModel.h"

namespace glyphwright::ui {

int CoreListModel::rowCount(const QModelIndex& parent) const {
    // The core lists bound their entries to what an int row can address.
    return parent.isValid() ? 0 : static_cast<int>(Count());
}

QVariant CoreListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount()) {
        return {};
    }
    return RowData(static_cast<std::size_t>(index.row()), role);
}

Qt::ItemFlags CoreListModel::flags(const QModelIndex& index) const {
    if (!index.isValid()) {
        return Qt::NoItemFlags;
    }
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
}

void CoreListModel::RowsAboutToBeInserted(std::size_t first, std::size_t last) {
    beginInsertRows(QModelIndex(), static_cast<int>(first), static_cast<int>(last));
}

void CoreListModel::RowsInserted() {
    endInsertRows();
}

void CoreListModel::RowsAboutToBeRemoved(std::size_t first, std::size_t last) {
    beginRemoveRows(QModelIndex(), static_cast<int>(first), static_cast<int>(last));
}

void CoreListModel::RowsRemoved() {
    endRemoveRows();
}

void CoreListModel::AboutToReset() {
    beginResetModel();
}

void CoreListModel::Reset() {
    endResetModel();
}

void CoreListModel::RowChanged(std::size_t row) {
    const QModelIndex changed = index(static_cast<int>(row));
    emit dataChanged(changed, changed, ChangedRoles());
}

} // namespace glyphwright::ui
