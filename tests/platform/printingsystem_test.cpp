// Printer setups and print jobs learn everything about system printers from the installed
// printing system, so they need no print dialog library below the windows.
#include "platform/printers.h"
#include "platform/systemprinting.h"

#include <QImage>
#include <QPageSize>
#include <gtest/gtest.h>

namespace {

class ImagePrinter : public PrinterDevice {
public:
    explicit ImagePrinter(int& pages) : pages_(pages) {}
    QPaintDevice* Device() override { return &image_; }
    void NewPage() override { ++pages_; }
    void Abort() override {}

private:
    QImage image_{10, 10, QImage::Format_RGB32};
    int& pages_;
};

class OnePrinterSystem : public PrintingSystem {
public:
    QStringList Printers() override { return {"Laser", PdfFilePrinterName}; }
    QString DefaultPrinter() override { return "Laser"; }
    QPageSize DefaultPaper(const QString& printer) override
    {
        return printer == "Laser" ? QPageSize(QPageSize::A5) : QPageSize();
    }
    QString MakeAndModel(const QString&) override { return "Laser 9000"; }
    QString Location(const QString&) override { return "Hall"; }
    std::unique_ptr<PrinterDevice> Open(const PrinterSetup& setup) override
    {
        opened << setup.Printer();
        return std::make_unique<ImagePrinter>(pages);
    }
    QStringList opened;
    int pages = 0;
};

TEST(PrintingSystem, SetupsAndJobsOnASystemPrinterGoThroughTheInstalledSystem)
{
    OnePrinterSystem system;
    FixedPdfFile noDialogs(QString{});
    InstallPrintingSystem(&system, &noDialogs);
    PrinterSetup setup;
    EXPECT_EQ(InstalledPrinters(), QStringList({"Laser", PdfFilePrinterName}));
    EXPECT_EQ(setup.Printer(), "Laser");
    EXPECT_NEAR(setup.PortraitPaperInches().width(), 148 / 25.4, 1e-6);
    EXPECT_EQ(setup.DriverName(), "Laser 9000");
    EXPECT_EQ(setup.PortName(), "Hall");
    PrintJob job;
    ASSERT_TRUE(job.Begin(setup));
    EXPECT_NE(dynamic_cast<QImage*>(job.Device()), nullptr);
    job.NewPage();
    EXPECT_TRUE(job.Finish(false));
    EXPECT_EQ(system.opened, QStringList{"Laser"});
    EXPECT_EQ(system.pages, 1);

    static SystemPrinters printers;
    static PlatformDialogs dialogs;
    InstallPrintingSystem(&printers, &dialogs);
}

} // namespace
