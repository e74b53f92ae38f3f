#include "platform/printers.h"
#include "support/print_system.h"

#include <gtest/gtest.h>

TEST(PrintSystem, ThePrinterListShowsTheQueuesTheDefaultAndPdfFileWithEachQueuesPaper)
{
    TestPrintSystem cups;
    ASSERT_TRUE(cups.AddPdfQueue("OfficeA4", "A4") && cups.AddPdfQueue("OfficeLetter", "Letter") &&
                cups.SetDefault("OfficeA4"))
        << cups.Error().toStdString();
    EXPECT_EQ(InstalledPrinters(), QStringList({"OfficeA4", "OfficeLetter", PdfFilePrinterName}));
    EXPECT_EQ(DefaultPrinterName(), "OfficeA4");

    PrinterSetup setup;
    EXPECT_EQ(setup.Printer(), "OfficeA4");
    EXPECT_NEAR(setup.PortraitPaperInches().width(), 210 / 25.4, 0.01);
    EXPECT_EQ(setup.DriverName(), "Generic CUPS-PDF Printer (w/ options)");
    setup.SetPrinter("OfficeLetter");
    EXPECT_NEAR(setup.PortraitPaperInches().width(), 8.5, 0.01);
    EXPECT_NEAR(setup.PortraitPaperInches().height(), 11, 0.01);
}
