#include "ui/ExtensionListModel.h"

#include <QString>

namespace glyphwright::ui {

ExtensionListModel::ExtensionListModel(ExtensionList& list, QObject* parent)
    : CoreListModel(parent), list_(list) {
    list_.SetObserver(this);
}

ExtensionListModel::~ExtensionListModel() {
    list_.SetObserver(nullptr);
}

QVariant ExtensionListModel::RowData(std::size_t row, int role) const {
    switch (role) {
    case Qt::DisplayRole:
        return QString::fromLocal8Bit(list_.Text(row));
    case Qt::CheckStateRole:
        return list_.Mark(row) ? Qt::Checked : Qt::Unchecked;
    default:
        return {};
    }
}

} // namespace glyphwright::ui
