#include "table/dbedit.h"

#include "platform/systembeep.h"
#include "table/cp1252validator.h"
#include "table/tableerror.h"
#include "table/tfield.h"

TDBEdit::TDBEdit(QWidget* parent) : QLineEdit(parent), link_(this, [this] { Refresh(); })
{
    auto* validator = new Cp1252Validator(this);
    setValidator(validator);
    connect(validator, &Cp1252Validator::refused, this, &TDBEdit::CharacterRefused);
    setReadOnly(true);
    connect(this, &QLineEdit::textEdited, this, &TDBEdit::Typed);
}

void TDBEdit::Refresh()
{
    TField* field = Field();
    setReadOnly(!link_.Writable());
    const int width = field && field->DataType() == TFieldType::String && field->Size() > 0 ? field->Size() : 32767;
    // Setting the length resets the text and puts the caret at its end: only on a change.
    if (maxLength() != width)
        setMaxLength(width);
    const QString value = field ? field->AsString() : QString();
    // A value too long for the edit shows from its start, not its end.
    if (value != text()) {
        setText(value);
        setCursorPosition(0);
    }
}

void TDBEdit::Typed(const QString& text)
{
    if (!link_.Writable())
        return;
    try {
        Field()->SetAsString(text);
    } catch (const TableError&) {
        SystemBeep();
        Refresh();
    }
}
