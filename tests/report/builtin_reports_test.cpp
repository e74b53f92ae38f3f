#include "report/builtinreports.h"
#include "report_support.h"

#include <QMap>
#include <gtest/gtest.h>

namespace {

using Record = QMap<QString, QString>;

class ListRecords : public ReportRecords {
public:
    explicit ListRecords(QList<Record> records) : records_(std::move(records)) {}
    bool AtEnd() override { return at_ >= records_.size(); }
    QString Field(const QString& name) override { return records_[at_].value(name); }
    void Next() override { ++at_; }

private:
    QList<Record> records_;
    qsizetype at_ = 0;
};

QList<Record> Numbered(int count)
{
    QList<Record> records;
    for (int i = 1; i <= count; ++i)
        records.append({{"LNAME", QString("Name%1").arg(i)},
                        {"FNAME", "Al"},
                        {"STREET", "1 Elm St"},
                        {"CITY", "Springfield"},
                        {"STATE", "IL"},
                        {"ZIP", "62704"},
                        {"PHONE", "555-0100"}});
    return records;
}

std::function<void(TBaseReport&)> Report(BuiltInReportOptions options, QList<Record> records,
                                         std::function<bool()> stop = {})
{
    return [=](TBaseReport& r) {
        ListRecords list(records);
        PrintBuiltInReport(r, list, options, stop);
    };
}

// The report's components as the program creates them: inches, margins 0.5, font lines.
void Prepare(TBaseReport& r)
{
    r.Printer().SetPaperSize(1, 0, 0);
    r.SetLineHeightMethod(lhmFont);
}

} // namespace

TEST(BuiltInReports, ComposedValues)
{
    const auto fields = [](Record values) {
        return RecordField([values](const QString& n) { return values.value(n); });
    };
    const Record smith{{"LNAME", "Smith"}, {"FNAME", "John"}, {"MIDDLE", "Q"}, {"PREFIX", "Dr."}};
    EXPECT_EQ(ListName(fields(smith)), "Smith, John Q.");
    EXPECT_EQ(ListName(fields({{"FNAME", "John"}})), ", John ");
    EXPECT_EQ(FullListName(fields(smith)), "Smith, Dr. John Q.");
    EXPECT_EQ(FullListName(fields({{"LNAME", "Smith"}, {"FNAME", "John"}})), "Smith,  John ");
    EXPECT_EQ(FullListName(fields({{"FNAME", "John"}})), "");
    EXPECT_EQ(CityStZip(fields({{"CITY", "Springfield"}, {"STATE", "IL"}, {"ZIP", "62704"}})),
              "Springfield, IL  62704 ");
    EXPECT_EQ(CityStZip(fields({})), "");
    EXPECT_EQ(CityStateZip(fields({{"CITY", "Springfield"}, {"STATE", "IL"}, {"ZIP", "62704"}})),
              "Springfield, IL, 62704");
    EXPECT_EQ(CityStateZip(fields({{"ZIP", "62704"}})), ", 62704");
    EXPECT_EQ(TitleAndOrganization(fields({{"TITLE", "Director"}, {"ORG", "Acme"}})), "Director, Acme");
    EXPECT_EQ(TitleAndOrganization(fields({{"TITLE", "Director"}})), "");
    EXPECT_EQ(PhoneAndFax(fields({{"PHONE", "1"}, {"FAX", "2"}})), "Ph: 1  Fax: 2  ");
    EXPECT_EQ(BuiltInReportOrder(3), "ORG");
    EXPECT_EQ(BuiltInReportNames().size(), 4);
}

TEST(BuiltInReports, ColumnsHeaderAndPagesInThePdf)
{
    PdfRun run;
    BuiltInReportOptions options;
    options.title = "Members";
    PrintToPdf(run, Report(options, Numbered(120)), Prepare);
    // 1.5 to 10.0 inches of body at 0.15 inch a line: 56 rows a page.
    ASSERT_EQ(run.pdf.pages.size(), 3);
    for (int page = 1; page <= 3; ++page) {
        const PdfWord* title = run.pdf.Find("Members", page);
        ASSERT_TRUE(title);
        EXPECT_NEAR(title->xMin, 1.0, 0.01);
        const PdfWord* heading = run.pdf.Find("City/St/Zip", page);
        ASSERT_TRUE(heading);
        EXPECT_NEAR(heading->xMin, 1.0 + 1.75 + 2.15 + 0.02, 0.01);
        EXPECT_LT(heading->yMax, 1.5);
    }
    const PdfWord* first = run.pdf.Find("Name1,", 1);
    ASSERT_TRUE(first);
    EXPECT_NEAR(first->xMin, 1.02, 0.01);
    EXPECT_GT(first->yMin, 1.5);
    const PdfWord* street = run.pdf.Find("Elm", 1);
    ASSERT_TRUE(street);
    EXPECT_NEAR(street->xMin, 2.77 + 0.0, 0.2);
    const PdfWord* phone = run.pdf.Find("555-0100", 1);
    ASSERT_TRUE(phone);
    EXPECT_NEAR(phone->xMin, 1.0 + 1.75 + 2.15 + 2 + 0.02, 0.01);
    EXPECT_TRUE(run.pdf.Find("Name56,", 1));
    EXPECT_TRUE(run.pdf.Find("Name57,", 2));
    EXPECT_TRUE(run.pdf.Find("Name120,", 3));
}

TEST(BuiltInReports, CellsAreClippedBeforeTheColumnEndsAndCodesAreShaded)
{
    BuiltInReportOptions options;
    options.printCodes = true;
    Record longName = Numbered(1)[0];
    longName["LNAME"] = QString(60, 'W');
    longName["CODES"] = "ABC";
    const QStringList log = RecordOperations(Report(options, {longName, Numbered(1)[0]}), Prepare);
    const QStringList names = log.filter(QRegularExpression("^clip .* WWWW"));
    ASSERT_EQ(names.size(), 1);
    EXPECT_TRUE(names[0].startsWith("clip 1.020,")) << names[0].toStdString();
    EXPECT_TRUE(names[0].contains(",2.570,")) << names[0].toStdString(); // 1.02 + 1.75 - 0.2
    // The codes line: one light cell across the section, its text in it.
    const QStringList fills = log.filter(QRegularExpression("^fill"));
    ASSERT_EQ(fills.size(), 1);
    EXPECT_TRUE(QRegularExpression("^fill 1.000,[\\d.]+,8.000,[\\d.]+ #f2f2f2$").match(fills[0]).hasMatch())
        << fills[0].toStdString();
    EXPECT_NEAR(TextX(log, "Codes: "), 1.02, 0.001);
    EXPECT_GT(TextX(log, "ABC"), 1.3);
    // The next record's cells use the report's stops again.
    EXPECT_EQ(log.filter(QRegularExpression("^clip 1.020,.* Name1,")).size(), 1);
}

TEST(BuiltInReports, AllFieldsReportTakesThreeLinesWithASilverSeparator)
{
    BuiltInReportOptions options;
    options.report = 4;
    Record full = Numbered(1)[0];
    full["ORG"] = "Acme";
    full["TITLE"] = "Director";
    full["EMAIL"] = "al@example.com";
    full["DATE"] = "20260105";
    full["COUNTRY"] = "USA";
    const QStringList log = RecordOperations(Report(options, {full, full}), Prepare);
    EXPECT_TRUE(log.contains("pen #c0c0c0 1"));
    const QStringList org = log.filter(QRegularExpression("^clip .* Director, Acme$"));
    ASSERT_EQ(org.size(), 2);
    EXPECT_TRUE(org[0].startsWith("clip 3.770,")) << org[0].toStdString(); // third stop: 1 + 0.5 + 2.25 + 0.02
    const QStringList email = log.filter(QRegularExpression("^clip .* al@example.com$"));
    ASSERT_EQ(email.size(), 2);
    EXPECT_TRUE(log.contains("font Arial 8")); // the body keeps its own size under the headings
}

TEST(BuiltInReports, StopEndsBeforeTheNextRecordAndOnePerPageBreaksAfterEach)
{
    int asked = 0;
    const QStringList stopped = RecordOperations(Report({}, Numbered(5), [&] { return ++asked > 2; }), Prepare);
    EXPECT_EQ(stopped.filter(QRegularExpression("^clip .* Name\\d+,")).size(), 2);

    BuiltInReportOptions options;
    options.onePerPage = true;
    const QStringList pages = RecordOperations(Report(options, Numbered(3)), Prepare);
    EXPECT_EQ(pages.filter(QRegularExpression("^page")).size(), 3);
    EXPECT_EQ(pages.filter(QRegularExpression("^text .* Page$")).size(), 0);
    EXPECT_EQ(pages.filter(QRegularExpression("^text .* Page 3$")).size(), 1);
}
