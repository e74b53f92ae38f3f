#pragma once
// A check box bound to a logical field, or to a calculated boolean field (display only).
// Clicking it writes T or F into the record buffer while the table is in Edit or Insert
// state; otherwise a click changes nothing.
//
//   auto* box = new TDBCheckBox(this);
//   box->Link().SetDataSource(&DataSourceBook);
//   box->Link().SetDataField("Tagged");

#include "table/databinding.h"

#include <QCheckBox>

class TDBCheckBox : public QCheckBox {
    Q_OBJECT
public:
    explicit TDBCheckBox(QWidget* parent = nullptr);
    FieldLink& Link() { return link_; }
    TField* Field() const { return link_.Field(); }

private:
    void Refresh();
    void Clicked(bool checked);

    FieldLink link_;
};
