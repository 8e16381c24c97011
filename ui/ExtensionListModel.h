// The extension list of the core as rows of a Qt view: the text and the mark
// of each entry.
#pragma once

#include "files/collect/ExtensionList.h"
#include "ui/CoreListModel.h"

namespace glyphwright::ui {

class ExtensionListModel : public CoreListModel {
    Q_OBJECT
public:
    ExtensionListModel(ExtensionList& list, QObject* parent);
    ~ExtensionListModel() override;

private:
    std::size_t Count() const override { return list_.Count(); }
    QVariant RowData(std::size_t row, int role) const override;
    QList<int> ChangedRoles() const override { return {Qt::DisplayRole, Qt::CheckStateRole}; }

    ExtensionList& list_;
};

} // namespace glyphwright::ui
