#pragma once

#include "report/recordastext.h"

#include <QString>
#include <QStringList>
#include <functional>

class TBaseReport;

// The four list reports of the address file, drawn on the report canvas:
//   1 Name, Address, City/St/Zip, Phone          ordered by LNAME
//   2 Name, Organization, Phone, Fax             ordered by LNAME
//   3 Organization, Name, Phone, Fax             ordered by ORG
//   4 All major fields, three lines per record   ordered by LNAME

// The time of day as the report headers show it: the system's format with seconds,
// without a time zone.
QString ReportTimeText();

// The list's items, in order.
QStringList BuiltInReportNames();
// The index tag a report is ordered by.
QString BuiltInReportOrder(int report);

struct BuiltInReportOptions {
    int report = 1;
    QString title = QStringLiteral("Report 1");
    bool printCodes = false;
    // A new page after each record.
    bool onePerPage = false;
};

// The records a report runs over, from the current one on.
class ReportRecords {
public:
    virtual ~ReportRecords() = default;
    virtual bool AtEnd() = 0;
    virtual QString Field(const QString& name) = 0;
    virtual void Next() = 0;
};

// The composed values of the reports, from a record's fields.
// "Smith, John Q." (reports 1 to 3; without a last name it starts with the comma).
QString ListName(const RecordField& field);
// "Smith, Dr. John Q." (report 4; empty without a last name).
QString FullListName(const RecordField& field);
// "Springfield, IL  62704 " (report 1).
QString CityStZip(const RecordField& field);
// "Springfield, IL, 62704" (report 4).
QString CityStateZip(const RecordField& field);
// "Director, Acme", or the organization alone (report 4).
QString TitleAndOrganization(const RecordField& field);
// "Ph: 555-1234  Fax: 555-9876  " (report 4).
QString PhoneAndFax(const RecordField& field);

// The OnPrint routine of a report: sets the margins, fonts and tab stops, draws the page
// header on every page and a row (three for report 4) per record until the records end
// or stopRequested says so.
void PrintBuiltInReport(TBaseReport& report, ReportRecords& records, const BuiltInReportOptions& options,
                        const std::function<bool()>& stopRequested = {});
