#include "table/dbgridmodel.h"

#include "table/areascope.h"
#include "table/tdatasource.h"
#include "xbase/sx.h"

#include <QApplication>
#include <QFontMetrics>

namespace {
// Rows read from the file and kept for painting; a few screens' worth.
constexpr std::size_t kCachedRows = 512;
} // namespace

TDBGridModel::TDBGridModel(QObject* parent) : QAbstractTableModel(parent) {}

TTable* TDBGridModel::Table() const
{
    return source_ ? source_->DataSet() : nullptr;
}

TDataSource* TDBGridModel::DataSource() const
{
    return source_;
}

void TDBGridModel::SetDataSource(TDataSource* source)
{
    if (source_)
        disconnect(source_, nullptr, this, nullptr);
    source_ = source;
    if (source) {
        connect(source, &TDataSource::datasetChanged, this, &TDBGridModel::Reload);
        connect(source, &TDataSource::activeChanged, this, &TDBGridModel::Reload);
        connect(source, &TDataSource::layoutChanged, this, &TDBGridModel::Reload);
        connect(source, &TDataSource::dataSetReplaced, this, &TDBGridModel::Reload);
        connect(source, &TDataSource::dataChanged, this, &TDBGridModel::RecordChanged);
    }
    Reload();
}

void TDBGridModel::Reload()
{
    beginResetModel();
    columns_.clear();
    if (TTable* table = Table(); table && table->Active())
        for (TField* field : table->Fields())
            if (field->Visible())
                columns_.push_back(field);
    loaded_ = false;
    rows_.clear();
    rowOf_.clear();
    cache_.clear();
    endResetModel();
}

void TDBGridModel::LoadRows() const
{
    if (loaded_)
        return;
    loaded_ = true;
    TTable* table = Table();
    if (!table || !table->Active())
        return;
    AreaScope scope(table->WorkArea());
    sx_GoTop();
    while (!sx_Eof()) {
        rowOf_.emplace(sx_RecNo(), static_cast<int>(rows_.size()));
        rows_.push_back(sx_RecNo());
        sx_Skip(1);
    }
}

int TDBGridModel::rowCount(const QModelIndex& parent) const
{
    if (parent.isValid())
        return 0;
    LoadRows();
    return static_cast<int>(rows_.size());
}

int TDBGridModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(columns_.size());
}

TField* TDBGridModel::FieldOfColumn(int column) const
{
    return column >= 0 && column < static_cast<int>(columns_.size()) ? columns_[static_cast<std::size_t>(column)]
                                                                      : nullptr;
}

long TDBGridModel::RecNoOfRow(int row) const
{
    LoadRows();
    return row >= 0 && row < static_cast<int>(rows_.size()) ? rows_[static_cast<std::size_t>(row)] : 0;
}

int TDBGridModel::CurrentRow() const
{
    TTable* table = Table();
    if (!table || !table->Active() || table->CurrentRecNo() == 0)
        return -1;
    LoadRows();
    const auto it = rowOf_.find(table->CurrentRecNo());
    return it == rowOf_.end() ? -1 : it->second;
}

void TDBGridModel::SetCurrentRow(int row)
{
    const long recNo = RecNoOfRow(row);
    if (TTable* table = Table(); table && recNo != 0 && recNo != table->CurrentRecNo())
        table->GotoRecord(recNo);
}

const TRecordBuffer& TDBGridModel::RecordOfRow(int row) const
{
    const long recNo = rows_[static_cast<std::size_t>(row)];
    if (auto it = cache_.find(recNo); it != cache_.end())
        return it->second;
    if (cache_.size() >= kCachedRows)
        cache_.clear();
    return cache_.emplace(recNo, Table()->ReadRecord(recNo)).first->second;
}

QVariant TDBGridModel::data(const QModelIndex& index, int role) const
{
    if (role != Qt::DisplayRole || !index.isValid())
        return {};
    TField* field = FieldOfColumn(index.column());
    if (!field || index.row() >= rowCount())
        return {};
    TTable* table = Table();
    if (rows_[static_cast<std::size_t>(index.row())] == table->CurrentRecNo())
        return field->AsString();
    return field->AsStringIn(RecordOfRow(index.row()));
}

QVariant TDBGridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal)
        return QAbstractTableModel::headerData(section, orientation, role);
    TField* field = FieldOfColumn(section);
    if (!field)
        return {};
    if (role == Qt::DisplayRole)
        return field->DisplayLabel();
    if (role == Qt::SizeHintRole) {
        const QFontMetrics metrics(QApplication::font());
        const int chars = std::max<int>(field->DisplayWidth(), static_cast<int>(field->DisplayLabel().size()));
        return QSize(metrics.averageCharWidth() * chars + 12, metrics.height() + 6);
    }
    return {};
}

void TDBGridModel::RecordChanged(TField* field)
{
    const int row = CurrentRow();
    if (field && row >= 0)
        emit dataChanged(index(row, 0), index(row, columnCount() - 1));
    if (!field)
        emit currentRowChanged(row);
}
