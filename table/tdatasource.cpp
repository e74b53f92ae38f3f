#include "table/tdatasource.h"

TDataSource::TDataSource(QObject* parent) : QObject(parent) {}

void TDataSource::SetDataSet(TTable* table)
{
    if (dataSet_ == table)
        return;
    for (auto& connection : connections_)
        disconnect(connection);
    dataSet_ = table;
    if (table) {
        connections_[0] = connect(table, &TTable::recordChanged, this, [this](TField* field) {
            emit dataChanged(field);
            if (OnDataChange)
                OnDataChange(field);
        });
        connections_[1] = connect(table, &TTable::datasetChanged, this, &TDataSource::datasetChanged);
        connections_[2] = connect(table, &TTable::stateChanged, this, &TDataSource::stateChanged);
        connections_[3] = connect(table, &TTable::activeChanged, this, &TDataSource::activeChanged);
        connections_[4] = connect(table, &TTable::layoutChanged, this, &TDataSource::layoutChanged);
        connections_[5] = connect(table, &TTable::recordPosted, this, &TDataSource::recordPosted);
    }
    emit dataSetReplaced();
}
