#pragma once
// Links a TTable to data-aware controls. Controls connect to its signals; a window puts
// its handler in OnDataChange, which runs whenever the current record or one of its
// fields changes (field is null for a whole-record change). While the table's controls
// are disabled nothing is reported; EnableControls reports one whole-record change.

#include "table/ttable.h"

#include <QObject>
#include <QPointer>
#include <functional>

class TDataSource : public QObject {
    Q_OBJECT
public:
    explicit TDataSource(QObject* parent = nullptr);

    TTable* DataSet() const { return dataSet_; }
    void SetDataSet(TTable* table);
    TDataSetState State() const { return dataSet_ ? dataSet_->State() : TDataSetState::Inactive; }

    std::function<void(TField* field)> OnDataChange;

signals:
    void dataChanged(TField* field);
    void datasetChanged();
    void recordPosted(long recNo);
    void stateChanged();
    void activeChanged(bool active);
    void layoutChanged();
    // Another table took the place of the previous one.
    void dataSetReplaced();

private:
    QPointer<TTable> dataSet_;
    QMetaObject::Connection connections_[6];
};
