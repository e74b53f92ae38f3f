#include "app/whatsthistexts.h"

#include "platform/whatsthis.h"

#include <QCheckBox>
#include <QWidget>

void ExplainMainWindow(QWidget* window)
{
    SetWhatsThis(
        window,
        {
            {"AddButton", "Adds a new record. With the assists of the Preferences on, a small dialog first asks for "
                          "the name and zip code, warns of a name already in the file and fills in the city."},
            {"EditButton", "Lets you change the record shown. Double-clicking any field does the same."},
            {"DeleteButton", "Deletes the record shown, after asking. Deleted records are removed for good when the "
                             "indexes are rebuilt (File menu)."},
            {"SaveButton", "Saves the changes to the record shown."},
            {"CancelButton", "Forgets the changes to the record shown (or the new record) and shows it as it was."},
            {"RecordFirst", "Moves to the first record in the current sort order."},
            {"RecordPrev", "Moves back one record in the current sort order."},
            {"RecordNext", "Moves on one record in the current sort order."},
            {"RecordLast", "Moves to the last record in the current sort order."},
            {"SearchButton", "Finds the first record whose sort field begins with what you type. Choose the field "
                             "from the Sort menu."},
            {"BrowseButton", "Shows the records as a table, one per row, to move through many at once and tag them."},
            {"FilterButton", "Shows only the records that match what you type into the filter form (Ctrl+F). Labels, "
                             "reports and exports then use only those records."},
            {"ClearfilterButton", "Shows every record again."},
            {"Exitbutton", "Closes the address file and ends the program."},
            {"Last", "The person's last name; the usual sort order."},
            {"First", "The person's first name."},
            {"Middle", "The middle initial, one capital letter; labels add the period."},
            {"Prefix", "Mr., Ms., Dr. and the like; printed before the name on labels."},
            {"Title", "The person's job title."},
            {"Org", "The company or organization."},
            {"Street", "The first line of the street address."},
            {"Street2", "A second address line: suite, building, post office box."},
            {"City", "The city. With the assist in the Preferences on, it is filled in from an earlier record "
                     "with the same zip code."},
            {"State", "The state or province."},
            {"Zip", "The zip or postal code."},
            {"Country", "The country; new records can start with a default country (Preferences)."},
            {"Phone", "The first phone number. Dial beside it dials it."},
            {"Phone2", "The second phone number. Dial beside it dials it."},
            {"Fax", "The fax number."},
            {"Email", "The e-mail address. Send beside it starts a new message to it in your mail program."},
            {"WebPage", "The web page, for example www.example.com. Open beside it shows it in your browser."},
            {"Codes", "Letters or words of your own that group records, for example C for customers. The filter "
                      "finds them: $C in the Codes field matches every record whose codes contain C."},
            {"Comments", "Any note about this person."},
            {"Date", "A date of your choice, for example when you met. Click Date to pick it from a calendar."},
            {"Tagged", "Marks the record, to print, export or filter the tagged records later. Click to tag or untag."},
            {"DateLabel", "Picks the record's date from a calendar."},
            {"Mailbutton", "Starts a new e-mail to this address in your mail program."},
            {"Dial1Button", "Dials the first phone number by modem or through your desktop's phone program."},
            {"Dial2Button", "Dials the second phone number by modem or through your desktop's phone program."},
            {"WebPageButton", "Opens the web page in your browser."},
        });
}

void ExplainPreferences(QWidget* dialog)
{
    SetWhatsThis(
        dialog,
        {
            {"PlugDate", "New records start with today's date."},
            {"PlugCityState", "After you type a new record's zip code, the city and state are filled in from an "
                              "earlier record with the same zip code."},
            {"AutoDupCheck", "Warns when a new record's first and last name are already in the file."},
            {"DefCountry", "The country every new record starts with; leave empty for none."},
            {"AggressiveSave", "How often the address file is closed and reopened after saving, so that your changes "
                               "are safely on disk: never, after every fifth save, or after every save."},
            {"OkButton", "Keeps these choices."},
            {"CancelButton", "Leaves the preferences as they were."},
            {"HelpButton", "Explains the preferences."},
        });
    for (QCheckBox* box : dialog->findChildren<QCheckBox*>()) {
        const QString field = box->text();
        if (box->objectName().startsWith(QLatin1String("Carry")))
            box->setWhatsThis(
                QStringLiteral("A new record starts with the %1 of the record shown before it.").arg(field));
        else if (box->objectName().startsWith(QLatin1String("Skip"), Qt::CaseInsensitive))
            box->setWhatsThis(
                QStringLiteral("Tab and Enter pass over %1 while you type a new record; you can still click into it.")
                    .arg(field));
    }
}

void ExplainBrowse(QWidget* dialog)
{
    SetWhatsThis(dialog, {
                             {"DBGrid",
                              "The records, one per row, in the current sort order. Click a row to make it the current "
                              "record; double-click to tag or untag it. Drag the column headings to arrange them."},
                             {"RecordFirst", "Moves to the first record."},
                             {"RecordPrev", "Moves back one record."},
                             {"RecordNext", "Moves on one record."},
                             {"RecordLast", "Moves to the last record."},
                             {"Returnbutton", "Closes the table; the main window shows the record you chose."},
                             {"TagButton", "Tags or untags the current record."},
                             {"HelpButton", "Explains browsing."},
                         });
}

void ExplainSearch(QWidget* dialog)
{
    SetWhatsThis(dialog, {
                             {"OrderCombo", "The field to search in; it also becomes the sort order."},
                             {"SearchForEdit", "The beginning of the value to find, in any case: smi finds Smith."},
                             {"OkButton", "Moves to the first record whose field begins with the text."},
                             {"CancelButton", "Closes without moving."},
                             {"HelpButton", "Explains searching."},
                         });
}

void ExplainNewRecord(QWidget* dialog)
{
    SetWhatsThis(
        dialog,
        {
            {"LastName", "The new person's last name."},
            {"FirstName", "The new person's first name."},
            {"ZipCode", "The zip or postal code; the city and state can be filled in from an earlier record with it."},
            {"OkButton", "Starts the new record with these values (Page Down does the same)."},
            {"CancelButton", "Adds no record."},
            {"HelpButton", "Explains adding records."},
        });
}

void ExplainDateSelector(QWidget* dialog)
{
    SetWhatsThis(dialog, {
                             {"Calendar", "Click a day to choose it; double-click to choose it and close."},
                             {"YearBackButton", "One year back."},
                             {"MonthBackButton", "One month back."},
                             {"TodayButton", "Today's date."},
                             {"MonthForwardButton", "One month on."},
                             {"YearForwardButton", "One year on."},
                             {"OkButton", "Puts the chosen date into the record."},
                             {"CancelButton", "Leaves the record's date as it was."},
                             {"NoDateButton", "Clears the record's date."},
                             {"HelpButton", "Explains the record's fields."},
                         });
}
