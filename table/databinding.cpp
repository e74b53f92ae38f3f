#include "table/databinding.h"

#include "table/tdatasource.h"

FieldLink::FieldLink(QObject* owner, std::function<void()> refresh) : owner_(owner), refresh_(std::move(refresh)) {}

TDataSource* FieldLink::DataSource() const
{
    return source_;
}

void FieldLink::SetDataSource(TDataSource* source)
{
    if (source_)
        QObject::disconnect(source_, nullptr, owner_, nullptr);
    source_ = source;
    if (source) {
        QObject::connect(source, &TDataSource::dataChanged, owner_, [this](TField*) { refresh_(); });
        QObject::connect(source, &TDataSource::stateChanged, owner_, [this] { refresh_(); });
        QObject::connect(source, &TDataSource::activeChanged, owner_, [this] { refresh_(); });
        QObject::connect(source, &TDataSource::dataSetReplaced, owner_, [this] { refresh_(); });
    }
    refresh_();
}

void FieldLink::SetDataField(const QString& name)
{
    fieldName_ = name;
    refresh_();
}

TField* FieldLink::Field() const
{
    if (!source_ || !source_->DataSet() || !source_->DataSet()->Active() || fieldName_.isEmpty())
        return nullptr;
    return source_->DataSet()->FindField(fieldName_);
}

bool FieldLink::Writable() const
{
    const TField* field = Field();
    if (!field || field->Calculated())
        return false;
    const TDataSetState state = field->Table().State();
    return state == TDataSetState::Edit || state == TDataSetState::Insert;
}
