#include "table/dbcheckbox.h"

#include "table/tfield.h"

TDBCheckBox::TDBCheckBox(QWidget* parent) : QCheckBox(parent), link_(this, [this] { Refresh(); })
{
    connect(this, &QCheckBox::clicked, this, &TDBCheckBox::Clicked);
}

void TDBCheckBox::Refresh()
{
    const TField* field = Field();
    const bool value = field && field->AsBoolean();
    if (value != isChecked())
        setChecked(value);
}

void TDBCheckBox::Clicked(bool checked)
{
    if (link_.Writable())
        Field()->SetAsBoolean(checked);
    else
        setChecked(!checked);
}
