#pragma once
// A table model for grids over a data source: one row per record that the table's order
// and filter let through, in that order; one column per visible field, in field order,
// titled with the field's display label. Read-only.
//
// The record numbers of the rows are collected once, when first needed after the data
// set changed; painting reads only the rows on screen, and keeps a few hundred of them.
// The row of the table's current record shows its buffer, edits included.

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

    TField* FieldOfColumn(int column) const;
    long RecNoOfRow(int row) const;
    // Row of the table's current record; -1 when it has none or it is not among the rows.
    int CurrentRow() const;
    // Makes the record of that row the table's current record.
    void SetCurrentRow(int row);

signals:
    // The table moved to another record.
    void currentRowChanged(int row);

private:
    TTable* Table() const;
    void Reload();
    void LoadRows() const;
    void RecordChanged(TField* field);
    const TRecordBuffer& RecordOfRow(int row) const;

    QPointer<TDataSource> source_;
    std::vector<TField*> columns_;
    mutable bool loaded_ = false;
    mutable std::vector<long> rows_;
    mutable std::unordered_map<long, int> rowOf_;
    mutable std::unordered_map<long, TRecordBuffer> cache_;
};
