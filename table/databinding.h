#pragma once
// The link of a bound control to one field of a data source: finds the field, tells
// whether it may be written now, and calls the control back whenever the table, its
// state or its current record changes.

#include <QPointer>
#include <QString>
#include <functional>

class QObject;
class TDataSource;
class TField;

class FieldLink {
public:
    // refresh is called on every change; owner is the control, which owns the link.
    FieldLink(QObject* owner, std::function<void()> refresh);

    TDataSource* DataSource() const;
    void SetDataSource(TDataSource* source);
    const QString& DataField() const { return fieldName_; }
    void SetDataField(const QString& name);

    // The field in the source's open table, or null.
    TField* Field() const;
    // True when the table is in Edit or Insert state and the field is stored.
    bool Writable() const;

private:
    QObject* owner_;
    std::function<void()> refresh_;
    QPointer<TDataSource> source_;
    QString fieldName_;
};
