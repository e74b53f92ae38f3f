#include "table/dbgridmodel.h"

#include "table/areascope.h"
#include "table/tdatasource.h"
#include "xbase/sx.h"

#include <QApplication>
#include <QFontMetrics>

namespace {
// Rows found per step: several screens' worth.
constexpr std::size_t kChunkRows = 256;
// Records read from the file and kept for painting.
constexpr std::size_t kCachedRows = 512;
} // namespace

TDBGridModel::TDBGridModel(QObject* parent) : QAbstractTableModel(parent) {}

TDataSource* TDBGridModel::DataSource() const
{
    return source_;
}

TTable* TDBGridModel::Table() const
{
    return source_ ? source_->DataSet() : nullptr;
}

void TDBGridModel::SetDataSource(TDataSource* source)
{
    if (source_)
        disconnect(source_, nullptr, this, nullptr);
    source_ = source;
    if (source) {
        connect(source, &TDataSource::datasetChanged, this, &TDBGridModel::Reload);
        connect(source, &TDataSource::activeChanged, this, &TDBGridModel::Reload);
        connect(source, &TDataSource::layoutChanged, this, &TDBGridModel::ReloadColumns);
        connect(source, &TDataSource::dataSetReplaced, this, &TDBGridModel::Reload);
        connect(source, &TDataSource::recordPosted, this, &TDBGridModel::RecordPosted);
        connect(source, &TDataSource::dataChanged, this, &TDBGridModel::RecordChanged);
    }
    Reload();
}

void TDBGridModel::FindColumns()
{
    columns_.clear();
    if (TTable* table = Table(); table && table->Active())
        for (TField* field : table->Fields())
            if (field->Visible())
                columns_.push_back(field);
}

// Fields moved or were shown or hidden: the rows stay as they are.
void TDBGridModel::ReloadColumns()
{
    beginResetModel();
    FindColumns();
    endResetModel();
}

void TDBGridModel::Reload()
{
    beginResetModel();
    FindColumns();
    rows_.clear();
    rowOf_.clear();
    cache_.clear();
    complete_ = true;
    if (TTable* table = Table(); table && table->Active()) {
        complete_ = false;
        const std::vector<long> found = Scan(kChunkRows, 0);
        for (long recNo : found) {
            rowOf_.emplace(recNo, rows_.size());
            rows_.push_back(recNo);
        }
    }
    endResetModel();
}

std::vector<long> TDBGridModel::Scan(std::size_t count, long untilRecNo)
{
    std::vector<long> found;
    TTable* table = Table();
    if (complete_ || !table || !table->Active())
        return found;
    AreaScope scope(table->WorkArea());
    if (rows_.empty()) {
        sx_GoTop();
    } else {
        sx_Go(rows_.back());
        sx_Skip(1);
    }
    for (;;) {
        const long recNo = sx_RecNo();
        // The second guard stops at a record seen before, should the order be damaged.
        if (sx_Eof() || rowOf_.count(recNo) != 0) {
            complete_ = true;
            break;
        }
        found.push_back(recNo);
        if (untilRecNo != 0 ? recNo == untilRecNo : found.size() >= count)
            break;
        sx_Skip(1);
    }
    return found;
}

void TDBGridModel::Append(const std::vector<long>& found)
{
    if (found.empty())
        return;
    const int first = static_cast<int>(rows_.size());
    beginInsertRows(QModelIndex(), first, first + static_cast<int>(found.size()) - 1);
    for (long recNo : found) {
        rowOf_.emplace(recNo, rows_.size());
        rows_.push_back(recNo);
    }
    endInsertRows();
}

void TDBGridModel::LoadMore(std::size_t count, long untilRecNo)
{
    Append(Scan(count, untilRecNo));
}

int TDBGridModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int TDBGridModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(columns_.size());
}

bool TDBGridModel::canFetchMore(const QModelIndex& parent) const
{
    return !parent.isValid() && !complete_;
}

void TDBGridModel::fetchMore(const QModelIndex& parent)
{
    if (!parent.isValid())
        LoadMore(kChunkRows, 0);
}

TField* TDBGridModel::FieldOfColumn(int column) const
{
    return column >= 0 && column < columnCount() ? columns_[static_cast<std::size_t>(column)] : nullptr;
}

long TDBGridModel::RecNoOfRow(int row) const
{
    return row >= 0 && row < rowCount() ? rows_[static_cast<std::size_t>(row)] : 0;
}

int TDBGridModel::CurrentRow()
{
    TTable* table = Table();
    const long recNo = table && table->Active() ? table->CurrentRecNo() : 0;
    if (recNo == 0)
        return -1;
    if (rowOf_.count(recNo) == 0)
        LoadMore(0, recNo);
    const auto it = rowOf_.find(recNo);
    return it == rowOf_.end() ? -1 : static_cast<int>(it->second);
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
    if (role != Qt::DisplayRole || !index.isValid() || index.row() >= rowCount())
        return {};
    TField* field = FieldOfColumn(index.column());
    if (!field)
        return {};
    if (rows_[static_cast<std::size_t>(index.row())] == Table()->CurrentRecNo())
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

// The record still stands between the same neighbours, so the filter still lets it
// through and the order did not move it.
bool TDBGridModel::KeepsItsPlace(long recNo, std::size_t row) const
{
    AreaScope scope(Table()->WorkArea());
    if (row == 0) {
        sx_GoTop();
    } else {
        sx_Go(rows_[row - 1]);
        sx_Skip(1);
    }
    if (sx_Eof() || sx_RecNo() != recNo)
        return false;
    sx_Skip(1);
    if (row + 1 < rows_.size())
        return !sx_Eof() && sx_RecNo() == rows_[row + 1];
    return !complete_ || sx_Eof();
}

void TDBGridModel::RecordPosted(long recNo)
{
    const auto it = rowOf_.find(recNo);
    if (it == rowOf_.end() || !KeepsItsPlace(recNo, it->second)) {
        Reload();
        return;
    }
    cache_.erase(recNo);
    const int row = static_cast<int>(it->second);
    emit dataChanged(index(row, 0), index(row, columnCount() - 1));
}

void TDBGridModel::RecordChanged(TField* field)
{
    if (field) {
        if (const auto it = rowOf_.find(Table()->CurrentRecNo()); it != rowOf_.end()) {
            const int row = static_cast<int>(it->second);
            emit dataChanged(index(row, 0), index(row, columnCount() - 1));
        }
        return;
    }
    emit currentRowChanged(CurrentRow());
}
