#pragma once
// A line edit bound to one field of a data source. It shows the current record's value,
// writes what the user types into the record buffer while the table is in Edit or Insert
// state, and is read-only otherwise (and always for calculated fields). Its maximum
// length is the field's width; a character the file cannot store is refused with a beep
// and the signal CharacterRefused, so the window can say why.
//
//   auto* edit = new TDBEdit(this);
//   edit->Link().SetDataSource(&DataSourceBook);
//   edit->Link().SetDataField("LNAME");

#include "table/databinding.h"

#include <QLineEdit>

class TDBEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit TDBEdit(QWidget* parent = nullptr);
    FieldLink& Link() { return link_; }
    TField* Field() const { return link_.Field(); }

signals:
    void CharacterRefused();

private:
    void Refresh();
    void Typed(const QString& text);

    FieldLink link_;
};
