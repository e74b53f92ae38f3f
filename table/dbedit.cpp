#include "table/dbedit.h"

#include "platform/systembeep.h"
#include "table/cp1252.h"
#include "table/tableerror.h"
#include "table/tfield.h"

#include <QValidator>

namespace {

// Refuses any text with a character that Windows-1252 cannot hold.
class Cp1252Validator : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& input, int&) const override
    {
        for (QChar c : input)
            if (!Cp1252CanHold(c)) {
                SystemBeep();
                return Invalid;
            }
        return Acceptable;
    }
};

} // namespace

TDBEdit::TDBEdit(QWidget* parent) : QLineEdit(parent), link_(this, [this] { Refresh(); })
{
    setValidator(new Cp1252Validator(this));
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
    if (value != text())
        setText(value);
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
