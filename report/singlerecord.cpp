#include "report/singlerecord.h"

#include "report/builtinreports.h"
#include "report/tbasereport.h"

const std::array<SingleRecordItem, 20>& SingleRecordItems()
{
    static const std::array<SingleRecordItem, 20> items{{
        {"cPrefix", "Prefix", "PREFIX", "Prefix"},
        {"cLast", "Last", "LNAME", "Last"},
        {"cFirst", "First", "FNAME", "First"},
        {"cMiddle", "Middle", "MIDDLE", "Middle"},
        {"ctitle", "Title", "TITLE", "Title"},
        {"cOrganization", "Organization", "ORG", "Organization"},
        {"cStreet", "Address 1", "STREET", "Address 1"},
        {"CsTREET2", "Address 2", "STREET2", "Address 2"},
        {"cCity", "City", "CITY", "City"},
        {"cState", "State/Province", "STATE", "State"},
        {"cZip", "Zip/Postal Code", "ZIP", "Zip/Postal"},
        {"cCountry", "Country", "COUNTRY", "Country"},
        {"cPhone1", "Phone 1", "PHONE", "Phone 1"},
        {"cPhone2", "Phone 2", "PHONE2", "Phone 2"},
        {"cFax", "Fax", "FAX", "Fax"},
        {"cEMail", "E-mail", "EMAIL", "E-Mail"},
        {"cWebPage", "Web Page", "WEBPAGE", "Web Page"},
        {"cComments", "Comments", "COMMENTS", "Comment 1"},
        {"cCodes", "Codes", "CODES", "Codes"},
        {"cDate", "Date", "DisplayDate", "Date"},
    }};
    return items;
}

void PrintSingleRecord(TBaseReport& r, const RecordField& field, const std::array<bool, 20>& chosen)
{
    r.SetFont(QStringLiteral("Times"), 10);
    r.SetMarginLeft(1);
    r.SetMarginRight(1);
    r.SetMarginTop(1);
    r.SetMarginBottom(1);
    r.ResetSection();
    r.ClearTabStops();
    r.AddTabStop(r.MarginLeft(), pjLeft, 1.25, 2, blNone, 0);
    r.AddTabStop(TabAfterPrevious, pjLeft, 5.25, 2, blNone, 0);

    r.SetMarginTop(0.5);
    r.ResetSection();
    r.GoToFirstLine();
    r.PrintRightAt(QStringLiteral("Page ") + QString::number(r.CurrentPage()), r.SectionRight());
    r.NextLine();
    r.PrintRightAt(ReportTimeText(), r.SectionRight());
    r.SetMarginTop(1);
    r.ResetSection();
    for (const double y : {r.SectionTop(), r.SectionBottom()}) {
        r.MoveTo(r.SectionLeft(), y);
        r.LineTo(r.SectionRight(), y);
    }
    r.GoToFirstLine();
    r.NextLine();

    const auto& items = SingleRecordItems();
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (!chosen[i])
            continue;
        r.NextTabStop();
        r.SetBold(true);
        r.PrintText(QString::fromLatin1(items[i].label));
        r.SetBold(false);
        r.NextTabStop();
        r.PrintText(field(QString::fromLatin1(items[i].field)));
        r.NextLine();
    }
    r.NextLine();
}
