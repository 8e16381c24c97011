#include "ui/FileListModel.h"

#include "ui/ShownName.h"

namespace glyphwright::ui {

FileListModel::FileListModel(FileList& list, QObject* parent) : CoreListModel(parent), list_(list) {
    list_.SetObserver(this);
}

FileListModel::~FileListModel() {
    list_.SetObserver(nullptr);
}

QVariant FileListModel::RowData(std::size_t row, int role) const {
    if (role == Qt::DisplayRole) {
        return ShownName(list_.Path(row));
    }
    return {};
}

} // namespace glyphwright::ui
