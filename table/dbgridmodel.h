#pragma once
// A table model for grids over a data source: one row per record that the table's order
// and filter let through, in that order; one column per visible field, in field order,
// titled with the field's display label. Read-only.
//
// Rows are found a few hundred at a time, as the view scrolls (canFetchMore/fetchMore)
// or as CurrentRow needs them, so a grid opens at once on a large file; painting reads
// only the rows on screen and keeps the last few hundred. Posting an edited record that
// keeps its place changes one row; anything else (inserts, deletes, a new order or
// filter) starts the rows afresh. The row of the table's current record shows its
// buffer, unposted edits included.

#include "table/tfield.h"

#include <QAbstractTableModel>
#include <QPointer>
#include <unordered_map>
#include <vector>

class TDataSource;
class TTable;

class TDBGridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit TDBGridModel(QObject* parent = nullptr);

    TDataSource* DataSource() const;
    void SetDataSource(TDataSource* source);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    bool canFetchMore(const QModelIndex& parent) const override;
    void fetchMore(const QModelIndex& parent) override;

    TField* FieldOfColumn(int column) const;
    // Record number of a row found so far; 0 for any other row.
    long RecNoOfRow(int row) const;
    // Row of the table's current record, finding rows up to it when needed; -1 when the
    // table has no current record or the filter hides it.
    int CurrentRow();
    // Makes the record of that row the table's current record.
    void SetCurrentRow(int row);

signals:
    // The table moved to another record.
    void currentRowChanged(int row);

private:
    TTable* Table() const;
    void Reload();
    void FindColumns();
    void ReloadColumns();
    // Finds up to count further rows, or up to the row of untilRecNo when it is not 0.
    std::vector<long> Scan(std::size_t count, long untilRecNo);
    void Append(const std::vector<long>& found);
    void LoadMore(std::size_t count, long untilRecNo);
    bool KeepsItsPlace(long recNo, std::size_t row) const;
    void RecordPosted(long recNo);
    void RecordChanged(TField* field);
    const TRecordBuffer& RecordOfRow(int row) const;

    QPointer<TDataSource> source_;
    std::vector<TField*> columns_;
    std::vector<long> rows_;
    std::unordered_map<long, std::size_t> rowOf_;
    bool complete_ = true;
    mutable std::unordered_map<long, TRecordBuffer> cache_;
};
