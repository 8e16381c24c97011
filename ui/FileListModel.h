// The file list of the core as rows of a Qt view: the path of each entry as
// ShownName shows it, read from the core list, which tells this adapter of
// every change.
#pragma once

#include "files/collect/FileList.h"
#include "files/collect/ListObserver.h"

#include <QAbstractListModel>

namespace glyphwright::ui {

class FileListModel : public QAbstractListModel, private ListObserver {
    Q_OBJECT
public:
    FileListModel(FileList& list, QObject* parent);
    ~FileListModel() override;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    void RowsAboutToBeInserted(std::size_t first, std::size_t last) override;
    void RowsInserted() override;
    void RowsAboutToBeRemoved(std::size_t first, std::size_t last) override;
    void RowsRemoved() override;
    void AboutToReset() override;
    void Reset() override;
    void RowChanged(std::size_t row) override;

    FileList& list_;
};

} // namespace glyphwright::ui
