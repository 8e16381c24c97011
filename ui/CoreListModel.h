// A list of the core as rows of a Qt view: the rows are read from the core
// list, which tells this adapter of every change. The two lists of the window
// differ only in what a row shows.
#pragma once

#include "files/collect/ListObserver.h"

#include <QAbstractListModel>
#include <QList>

namespace glyphwright::ui {

class CoreListModel : public QAbstractListModel, protected ListObserver {
public:
    explicit CoreListModel(QObject* parent) : QAbstractListModel(parent) {}

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

protected:
    virtual std::size_t Count() const = 0;
    // What row shows in role; row is below Count().
    virtual QVariant RowData(std::size_t row, int role) const = 0;
    // The roles a change of an entry touches.
    virtual QList<int> ChangedRoles() const = 0;

private:
    void RowsAboutToBeInserted(std::size_t first, std::size_t last) override;
    void RowsInserted() override;
    void RowsAboutToBeRemoved(std::size_t first, std::size_t last) override;
    void RowsRemoved() override;
    void AboutToReset() override;
    void Reset() override;
    void RowChanged(std::size_t row) override;
};

} // namespace glyphwright::ui
