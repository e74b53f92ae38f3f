#include "labels/labelrun.h"
#include "platform/localpaper.h"
#include "platform/printers.h"
#include "report/tcanvasreport.h"

#include <QTemporaryDir>
#include <QTextStream>
#include <gtest/gtest.h>

namespace {

// The locale and the system's paper file for one test; the test program's afterwards.
class UserPaper : public ::testing::Test {
protected:
    void TearDown() override
    {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        SetSystemPaperFile(previous_);
    }
    void SystemPaper(const QString& text)
    {
        QFile file(dir_.filePath("papersize"));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(text.toUtf8());
    }
    // The paper a report on "PDF file" takes in the locale.
    QSizeF PdfFilePaper(const QLocale& locale)
    {
        QLocale::setDefault(locale);
        PrinterSetup setup;
        setup.SetPrinter(PdfFilePrinterName);
        return setup.PortraitPaperInches();
    }

    QTemporaryDir dir_;
    QString previous_ = SetSystemPaperFile(dir_.filePath("papersize"));
};

const QSizeF kLetter(8.5, 11);
const QSizeF kA4(210 / 25.4, 297 / 25.4);

bool Near(QSizeF a, QSizeF b)
{
    return std::abs(a.width() - b.width()) < 0.01 && std::abs(a.height() - b.height()) < 0.01;
}

} // namespace

TEST_F(UserPaper, ReportsOnPdfFileTakeTheLocalesPaperAndWithoutOneTheSystemsAndLabelSheetsTheirOwn)
{
    SystemPaper("letter\n");
    EXPECT_TRUE(Near(PdfFilePaper(QLocale(QLocale::English, QLocale::UnitedStates)), kLetter));
    EXPECT_TRUE(Near(PdfFilePaper(QLocale(QLocale::English, QLocale::UnitedKingdom)), kA4));
    EXPECT_TRUE(Near(PdfFilePaper(QLocale(QLocale::German, QLocale::Germany)), kA4));
    // The C locale says nothing about paper: the system's setting decides.
    EXPECT_TRUE(Near(PdfFilePaper(QLocale::c()), kLetter));
    SystemPaper("# the system's paper\n\nA5\n");
    EXPECT_EQ(LocalePaper(QLocale::c()), QPageSize::A5);
    QFile::remove(dir_.filePath("papersize"));
    EXPECT_TRUE(Near(PdfFilePaper(QLocale::c()), kA4));

    // A label sheet is printed on its own paper whatever the user's.
    LabelTemplate sheet;
    sheet.PaperCode = QStringLiteral("LTR");
    sheet.SheetWidth = 8.5;
    sheet.SheetHeight = 11;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    TReportPrinter report;
    report.Printer().SetPrinter(PdfFilePrinterName);
    EXPECT_EQ(SetLabelPaper(report, sheet), "");
    EXPECT_TRUE(Near(report.Printer().PortraitPaperInches(), kLetter));
}
