#include "report/builtinreports.h"

#include "platform/trim.h"
#include "report/tbasereport.h"

#include <QLocale>
#include <QRegularExpression>
#include <QTime>
#include <array>

namespace {

struct Layout {
    const char* order;
    double bodyPoints;
    std::array<double, 4> tabWidths;
    double headingsTop; // below MarginTop
};

const Layout& layoutOf(int report)
{
    static const std::array<Layout, 4> layouts{{
        {"LNAME", 9, {1.75, 2.15, 2, 1.5}, 0.8},
        {"LNAME", 9, {2, 2.5, 1.5, 1.35}, 0.8},
        {"ORG", 9, {2.5, 2, 1.5, 1.35}, 0.8},
        {"LNAME", 8, {0.5, 2.25, 3, 1.5}, 0.5},
    }};
    return layouts[std::clamp(report, 1, 4) - 1];
}

// Each heading after the number of tab stops it moves on; a line break before "\n".
const QStringList& headingsOf(int report)
{
    static const std::array<QStringList, 4> headings{{
        {"\tName", "\tAddress", "\tCity/St/Zip", "\tPhone"},
        {"\tName", "\tOrganization", "\tPhone", "\tFax"},
        {"\tOrganization", "\tName", "\tPhone", "\tFax"},
        {"\tName", "\t\tTitle and Organization", "\n", "\t\tStreet", "\tCity/State/Zip", "\tCountry", "\n",
         "\t\tPhone,Fax", "\tEmail", "\tDate"},
    }};
    return headings[std::clamp(report, 1, 4) - 1];
}

// One cell of a row: how many stops it moves on, its text and its clip width.
struct Cell {
    int tabs;
    QString text;
    double width;
};

QString fieldOf(const RecordField& field, const char* name)
{
    return field(QString::fromLatin1(name));
}

class ReportDrawing {
public:
    ReportDrawing(TBaseReport& r, const BuiltInReportOptions& options)
        : r_(r), options_(options), layout_(layoutOf(options.report))
    {}

    void Begin()
    {
        r_.SetMarginLeft(1.0);
        BodyFont();
        r_.SetSectionTop(r_.MarginTop() + 1);
        r_.SetSectionBottom(r_.PaperHeight() - r_.MarginBottom() - 1);
        r_.SetSectionLeft(r_.MarginLeft());
        r_.SetSectionRight(r_.PaperWidth() - r_.MarginLeft());
        r_.ClearTabStops();
        for (const double width : layout_.tabWidths)
            r_.AddTabStop(TabAfterPrevious, pjLeft, width, 2, blNone, 0);
        Header();
        r_.GoToFirstLine();
    }

    void NewPage()
    {
        r_.StartNewPage();
        Header();
    }

    // Room for the next record: a line, or three for the three-line report.
    void MakeRoom()
    {
        if (r_.LinesRemaining() < (options_.report == 4 ? 3 : 1))
            NewPage();
    }

    void Record(const RecordField& field)
    {
        r_.SetBold(false);
        for (const QList<Cell>& row : Rows(field)) {
            for (const Cell& cell : row) {
                for (int i = 0; i < cell.tabs; ++i)
                    r_.NextTabStop();
                if (!cell.text.isEmpty())
                    TextRect(cell.text, cell.width);
            }
            r_.NextLine();
        }
        Codes(fieldOf(field, "CODES"));
        if (options_.report == 4 && r_.LinesRemaining() > 3)
            Separator();
    }

private:
    void BodyFont()
    {
        r_.SetFont(QStringLiteral("Arial"), layout_.bodyPoints);
        r_.SetBold(false);
        r_.SetItalic(false);
    }

    QList<QList<Cell>> Rows(const RecordField& field) const
    {
        const auto& w = layout_.tabWidths;
        switch (options_.report) {
        case 1:
            return {{{1, ListName(field), w[0]},
                     {1, fieldOf(field, "STREET"), w[1]},
                     {1, CityStZip(field), w[2]},
                     {1, fieldOf(field, "PHONE"), w[3]}}};
        case 2:
            return {{{1, ListName(field), w[0]},
                     {1, fieldOf(field, "ORG"), w[1]},
                     {1, fieldOf(field, "PHONE"), w[2]},
                     {1, fieldOf(field, "FAX"), w[3]}}};
        case 3:
            return {{{1, fieldOf(field, "ORG"), w[0]},
                     {1, ListName(field), w[1]},
                     {1, fieldOf(field, "PHONE"), w[2]},
                     {1, fieldOf(field, "FAX"), w[3]}}};
        default:
            return {
                {{1, FullListName(field), 2.75}, {2, TitleAndOrganization(field), 4.5}},
                {{2, fieldOf(field, "STREET"), 2.25}, {1, CityStateZip(field), 3}, {1, fieldOf(field, "COUNTRY"), 1.5}},
                {{2, PhoneAndFax(field), 2.25}, {1, fieldOf(field, "EMAIL"), 3}, {1, fieldOf(field, "DATE"), 1.5}}};
        }
    }

    // The text in the current stop, cut 0.2 inch before the cell's width.
    void TextRect(const QString& text, double width)
    {
        const double x = r_.TabStopTextLeft(0);
        const double y = r_.CursorY();
        r_.SetCursor(x, y);
        r_.PrintInRect(r_.DeviceRect(x, y - r_.FontHeight(), x + width - 0.2, y + r_.FontHeight()), x,
                       y - r_.FontAscent(), text);
    }

    void Codes(const QString& codes)
    {
        if (options_.printCodes && !codes.isEmpty()) {
            if (r_.LinesRemaining() == 0)
                NewPage();
            r_.SaveTabStops();
            r_.ClearTabStops();
            r_.AddTabStop(r_.MarginLeft(), pjLeft, r_.SectionRight() - r_.SectionLeft(), 2, blNone, 5);
            r_.NextTabStop();
            r_.PrintText(QStringLiteral("Codes: "));
            r_.PrintTextLine(codes);
        }
        r_.RestoreTabStops();
    }

    void Separator()
    {
        r_.SetPen(QColor(0xC0, 0xC0, 0xC0), Qt::SolidLine, 1);
        r_.SetSectionLeft(r_.MarginLeft());
        r_.SetSectionRight(r_.PaperWidth() - r_.MarginLeft() + r_.MarginRight());
        r_.MoveTo(r_.SectionLeft(), r_.CursorY());
        r_.LineTo(r_.SectionRight(), r_.CursorY());
        r_.SetPen(Qt::black, Qt::SolidLine, 1);
        r_.NextLine();
    }

    void Header()
    {
        r_.ResetSection();
        r_.SetFont(QStringLiteral("Times New Roman"), 14);
        r_.SetBold(true);
        r_.GoToFirstLine();
        r_.PrintText(options_.title);
        r_.PrintRightAt(QStringLiteral("Page ") + QString::number(r_.CurrentPage()), r_.SectionRight());
        r_.NextLine();
        r_.PrintRightAt(ReportTimeText(), r_.SectionRight());
        r_.SetFont(QStringLiteral("Arial"), 9);
        r_.SetBold(true);
        r_.SetCursor(1.0, r_.MarginTop() + layout_.headingsTop);
        r_.NextLine();
        for (const QString& heading : headingsOf(options_.report)) {
            if (heading == QLatin1String("\n"))
                r_.NextLine();
            else
                r_.PrintText(heading);
        }
        BodyFont();
        r_.SetSectionTop(r_.MarginTop() + 1);
        r_.SetSectionBottom(r_.PaperHeight() - r_.MarginBottom() - 0.5);
        r_.SetSectionLeft(r_.MarginLeft());
        r_.SetSectionRight(r_.PaperWidth() - r_.MarginLeft() + r_.MarginRight());
        for (const double y : {r_.SectionTop(), r_.SectionBottom()}) {
            r_.MoveTo(r_.SectionLeft(), y);
            r_.LineTo(r_.SectionRight(), y);
        }
        r_.GoToFirstLine();
    }

    TBaseReport& r_;
    const BuiltInReportOptions& options_;
    const Layout& layout_;
};

} // namespace

QString ReportTimeText()
{
    QString format = QLocale().timeFormat(QLocale::LongFormat);
    format.remove(QRegularExpression(QStringLiteral("\\s*t+")));
    return QLocale().toString(QTime::currentTime(), format);
}

QStringList BuiltInReportNames()
{
    return {QStringLiteral("1. Name,Address,City,State,Zip,Phone"), QStringLiteral("2. Name,Organization,Phone,Fax"),
            QStringLiteral("3. Organization,Name,Phone,Fax "),
            QStringLiteral("4. All major fields (takes several lines)")};
}

QString BuiltInReportOrder(int report)
{
    return QString::fromLatin1(layoutOf(report).order);
}

QString ListName(const RecordField& field)
{
    const QString middle = fieldOf(field, "MIDDLE");
    return TrimLeading(fieldOf(field, "LNAME") + QStringLiteral(", ")) + TrimLeading(fieldOf(field, "FNAME") + ' ') +
           TrimLeading(middle.isEmpty() ? middle : middle + '.');
}

QString FullListName(const RecordField& field)
{
    const QString last = fieldOf(field, "LNAME");
    if (last.isEmpty())
        return {};
    const QString prefix = fieldOf(field, "PREFIX");
    const QString first = fieldOf(field, "FNAME");
    const QString middle = fieldOf(field, "MIDDLE");
    return TrimLeading(last) + QStringLiteral(", ") + ((prefix + first).isEmpty() ? QString() : prefix + ' ') +
           TrimLeading(first + ' ') + TrimLeading(middle.isEmpty() ? middle : middle + '.');
}

QString CityStZip(const RecordField& field)
{
    QString text;
    if (const QString city = fieldOf(field, "CITY"); !city.isEmpty())
        text = city + QStringLiteral(", ");
    if (const QString state = fieldOf(field, "STATE"); !state.isEmpty())
        text += state + QStringLiteral("  ");
    if (const QString zip = fieldOf(field, "ZIP"); !zip.isEmpty())
        text += zip + ' ';
    return text;
}

QString CityStateZip(const RecordField& field)
{
    QString text = fieldOf(field, "CITY");
    if (const QString state = fieldOf(field, "STATE"); !state.isEmpty())
        text += QStringLiteral(", ") + state;
    if (const QString zip = fieldOf(field, "ZIP"); !zip.isEmpty())
        text += QStringLiteral(", ") + zip;
    return text;
}

QString TitleAndOrganization(const RecordField& field)
{
    const QString org = fieldOf(field, "ORG");
    const QString title = fieldOf(field, "TITLE");
    return !org.isEmpty() && !title.isEmpty() ? title + QStringLiteral(", ") + org : org;
}

QString PhoneAndFax(const RecordField& field)
{
    QString text;
    if (const QString phone = fieldOf(field, "PHONE"); !phone.isEmpty())
        text = QStringLiteral("Ph: ") + phone + QStringLiteral("  ");
    if (const QString fax = fieldOf(field, "FAX"); !fax.isEmpty())
        text += QStringLiteral("Fax: ") + fax + QStringLiteral("  ");
    return text;
}

void PrintBuiltInReport(TBaseReport& report, ReportRecords& records, const BuiltInReportOptions& options,
                        const std::function<bool()>& stopRequested)
{
    ReportDrawing drawing(report, options);
    drawing.Begin();
    const RecordField field = [&records](const QString& name) { return records.Field(name); };
    bool first = true;
    while (!records.AtEnd() && !(stopRequested && stopRequested())) {
        if (options.onePerPage && !first)
            drawing.NewPage();
        else
            drawing.MakeRoom();
        first = false;
        drawing.Record(field);
        records.Next();
    }
}
