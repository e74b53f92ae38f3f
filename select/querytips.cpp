#include "select/querytips.h"

#include "platform/whatsthis.h"

namespace {

const char* FieldNote(QueryField field)
{
    switch (field) {
    case QueryField::City:
        return "The city is compared together with the state, so a plain pattern finds the beginning of the "
               "city name.";
    case QueryField::Date:
        return "Dates are written YYYYMMDD: 1997 finds every date of 1997, >=19970101 every date from "
               "1 January 1997 on, <19970101 every earlier one.";
    case QueryField::Codes:
        return "To find a code anywhere among the codes, start with $: $C finds every record whose codes "
               "contain C; $A+$B finds those with both A and B.";
    case QueryField::Zip:
        return "Ranges work well here: >=90000 finds every zip code from 90000 on.";
    case QueryField::Email:
    case QueryField::WebPage:
        return "$example.com finds every address at that domain.";
    default:
        return "";
    }
}

} // namespace

QString QueryFieldTip(QueryField field)
{
    QString tip = QStringLiteral("Type the beginning of the value to find, in any case: jo finds Jones and Johnson.\n"
                                 "$ finds the text anywhere in the field: $on finds Jones and Morton.\n"
                                 ">, >=, < and <= compare: >M finds everything after M.\n"
                                 "Combine patterns with ; (or), + (and) and ^ (and not): Smith;Jones finds both names, "
                                 "$A^$B finds A without B.");
    const QString note = QString::fromUtf8(FieldNote(field));
    if (!note.isEmpty())
        tip += QStringLiteral("\n\n") + note;
    return tip;
}

void ExplainQueryForm(QWidget* form)
{
    SetWhatsThis(
        form,
        {
            {"qTagged", "Only the records you have tagged (together with any patterns you typed)."},
            {"qReverse", "Turns the filter around: every record that does not match the rest of the form."},
            {"qSetFilterButton", "Applies the filter now and shows how many records match, keeping the form open."},
            {"qClearButton", "Empties every field, so that every record shows again."},
            {"OkButton", "Applies the filter and closes the form."},
            {"CancelButton", "Closes the form and keeps the filter that was set before."},
            {"HelpButton", "Explains filters."},
        });
}
