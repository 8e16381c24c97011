#include "ui/FileListModel.h"

#include "ui/ShownName.h"

namespace glyphwright::ui {

FileListModel::FileListModel(FileList& list, QObject* parent)
    : QAbstractListModel(parent), list_(list) {
    list_.SetObserver(this);
}

FileListModel::~FileListModel() {
    list_.SetObserver(nullptr);
}

int FileListModel::rowCount(const QModelIndex& parent) const {
    // The core list bounds its entries to what an int row can address.
    return parent.isValid() ? 0 : static_cast<int>(list_.Count());
}

QVariant FileListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount()) {
        return {};
    }
    const auto row = static_cast<std::size_t>(index.row());
    if (role == Qt::DisplayRole) {
        return ShownName(list_.Path(row));
    }
    return {};
}

Qt::ItemFlags FileListModel::flags(const QModelIndex& index) const {
    if (!index.isValid()) {
        return Qt::NoItemFlags;
    }
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
}

void FileListModel::RowsAboutToBeInserted(std::size_t first, std::size_t last) {
    beginInsertRows(QModelIndex(), static_cast<int>(first), static_cast<int>(last));
}

void FileListModel::RowsInserted() {
    endInsertRows();
}

void FileListModel::RowsAboutToBeRemoved(std::size_t first, std::size_t last) {
    beginRemoveRows(QModelIndex(), static_cast<int>(first), static_cast<int>(last));
}

void FileListModel::RowsRemoved() {
    endRemoveRows();
}

void FileListModel::AboutToReset() {
    beginResetModel();
}

void FileListModel::Reset() {
    endResetModel();
}

void FileListModel::RowChanged(std::size_t row) {
    const QModelIndex changed = index(static_cast<int>(row));
    emit dataChanged(changed, changed, {Qt::DisplayRole});
}

} // namespace glyphwright::ui
