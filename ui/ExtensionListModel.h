// The extension list of the core as rows of a Qt view: the text and the mark
// of each entry, read from the core list, which tells this adapter of every
// change.
#pragma once

#include "files/collect/ExtensionList.h"
#include "files/collect/ListObserver.h"

#include <QAbstractListModel>

namespace glyphwright::ui {

class ExtensionListModel : public QAbstractListModel, private ListObserver {
    Q_OBJECT
public:
    ExtensionListModel(ExtensionList& list, QObject* parent);
    ~ExtensionListModel() override;

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

    ExtensionList& list_;
};

} // namespace glyphwright::ui
