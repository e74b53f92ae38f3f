#include "table/cp1252validator.h"

#include "platform/systembeep.h"
#include "table/cp1252.h"

// The whole change is refused, not just the character: typing over a selection (or in
// overtype) must not lose the text it would have replaced.
QValidator::State Cp1252Validator::validate(QString& input, int&) const
{
    if (Cp1252HeldPrefix(input) == input.size())
        return Acceptable;
    SystemBeep();
    emit refused();
    return Invalid;
}
