#include "ui/ExtensionListModel.h"

#include <QString>

namespace glyphwright::ui {

ExtensionListModel::ExtensionListModel(ExtensionList& list, QObject* parent)
    : QAbstractListModel(parent), list_(list) {
    list_.SetObserver(this);
}

ExtensionListModel::~ExtensionListModel() {
    list_.SetObserver(nullptr);
}

int ExtensionListModel::rowCount(const QModelIndex& parent) const {
    // The core list bounds its entries to what an int row can address.
    return parent.isValid() ? 0 : static_cast<int>(list_.Count());
}

QVariant ExtensionListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount()) {
        return {};
    }
    const auto row = static_cast<std::size_t>(index.row());
    switch (role) {
    case Qt::DisplayRole:
        return QString::fromLocal8Bit(list_.Text(row));
    case Qt::CheckStateRole:
        return list_.Mark(row) ? Qt::Checked : Qt::Unchecked;
    default:
        return {};
    }
}

Qt::ItemFlags ExtensionListModel::flags(const QModelIndex& index) const {
    if (!index.isValid()) {
        return Qt::NoItemFlags;
    }
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
}

void ExtensionListModel::RowsAboutToBeInserted(std::size_t first, std::size_t last) {
    beginInsertRows(QModelIndex(), static_cast<int>(first), static_cast<int>(last));
}

void ExtensionListModel::RowsInserted() {
    endInsertRows();
}

void ExtensionListModel::RowsAboutToBeRemoved(std::size_t first, std::size_t last) {
    beginRemoveRows(QModelIndex(), static_cast<int>(first), static_cast<int>(last));
}

void ExtensionListModel::RowsRemoved() {
    endRemoveRows();
}

void ExtensionListModel::AboutToReset() {
    beginResetModel();
}

void ExtensionListModel::Reset() {
    endResetModel();
}

void ExtensionListModel::RowChanged(std::size_t row) {
    const QModelIndex changed = index(static_cast<int>(row));
    emit dataChanged(changed, changed, {Qt::DisplayRole, Qt::CheckStateRole});
}

} // namespace glyphwright::ui
