// The file list of the core as rows of a Qt view: the path of each entry as
// ShownName shows it.
#pragma once

#include "files/collect/FileList.h"
#include "ui/CoreListModel.h"

namespace glyphwright::ui {

class FileListModel : public CoreListModel {
    Q_OBJECT
public:
    FileListModel(FileList& list, QObject* parent);
    ~FileListModel() override;

private:
    std::size_t Count() const override { return list_.Count(); }
    QVariant RowData(std::size_t row, int role) const override;
    QList<int> ChangedRoles() const override { return {Qt::DisplayRole}; }

    FileList& list_;
};

} // namespace glyphwright::ui
