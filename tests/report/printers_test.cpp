#include "report/printeravailability.h"
#include "support/scripted_messages.h"
#include "support/scripted_printers.h"

#include <QPrinterInfo>
#include <gtest/gtest.h>

TEST(PrinterAvailability, WarnsOnlyWhenThePrintingSystemGivesNoPrinterOrNoDefault)
{
    ScriptedMessages messages;
    {
        FakePrinterList none({}, {});
        EXPECT_FALSE(CheckPrinterAvailability());
    }
    {
        FakePrinterList noDefault({"Office", PdfFilePrinterName}, {});
        EXPECT_FALSE(CheckPrinterAvailability());
    }
    {
        FakePrinterList unknownDefault({"Office"}, "Gone");
        EXPECT_FALSE(CheckPrinterAvailability());
    }
    ASSERT_EQ(messages.Boxes().size(), 3);
    EXPECT_EQ(messages.Boxes()[0].text,
              "There are no installed printers.\r\nUnable to perform printer related operations");
    EXPECT_EQ(messages.Boxes()[0].caption, "Information");
    EXPECT_EQ(messages.Boxes()[1].text,
              "There is no default printer selected.\r\nUnable to perform printer related operations");
    EXPECT_EQ(messages.Boxes()[2].text, messages.Boxes()[1].text);

    // The real list: whatever CUPS has, "PDF file" is always there and something is default.
    messages.Clear();
    EXPECT_TRUE(CheckPrinterAvailability());
    EXPECT_TRUE(InstalledPrinters().endsWith(PdfFilePrinterName));
    EXPECT_EQ(InstalledPrinters().size(), QPrinterInfo::availablePrinterNames().size() + 1);
    EXPECT_FALSE(DefaultPrinterName().isEmpty());
    EXPECT_TRUE(messages.Boxes().isEmpty());
}
