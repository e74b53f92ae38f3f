#include "platform/systemprinting.h"

#include "platform/mainwindow.h"
#include "platform/printersetupdialog.h"

#include <QApplication>
#include <QFileDialog>
#include <QLocale>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>

QStringList SystemPrinters::Printers()
{
    return QPrinterInfo::availablePrinterNames() << PdfFilePrinterName;
}

QString SystemPrinters::DefaultPrinter()
{
    const QString system = QPrinterInfo::defaultPrinterName();
    return system.isEmpty() ? PdfFilePrinterName : system;
}

QString PlatformDialogs::ChoosePdfFile(const QString& proposedPath)
{
    const QString chosen = QFileDialog::getSaveFileName(DialogOwner(), QStringLiteral("Save As PDF"), proposedPath,
                                                        QStringLiteral("PDF files (*.pdf)"));
    if (!chosen.isEmpty())
        RememberPdfFolder(chosen);
    return chosen;
}

bool PlatformDialogs::PrintDialog(PrinterSetup& setup, int& firstPage, int& lastPage)
{
    QPrinter printer(QPrinter::HighResolution);
    setup.ApplyTo(printer);
    QPrintDialog dialog(&printer, DialogOwner());
    dialog.setOption(QAbstractPrintDialog::PrintPageRange);
    dialog.setMinMax(1, 9999);
    if (firstPage != 1 || lastPage != 9999) {
        printer.setPrintRange(QPrinter::PageRange);
        printer.setFromTo(firstPage, lastPage);
    }
    if (dialog.exec() != QDialog::Accepted)
        return false;
    setup.TakeFrom(printer);
    if (setup.IsPdfFile())
        RememberPdfFolder(setup.PdfFileName());
    if (printer.printRange() == QPrinter::PageRange) {
        firstPage = printer.fromPage();
        lastPage = printer.toPage();
    } else {
        firstPage = 1;
        lastPage = 9999;
    }
    return true;
}

bool PlatformDialogs::PrinterSetupDialog(PrinterSetup& setup)
{
    TPrinterSetupDialog dialog(setup, DialogOwner());
    return dialog.exec() == QDialog::Accepted;
}

QSizeF SystemDefaultPaper(const QString& printer)
{
    if (printer != PdfFilePrinterName) {
        const QPageSize size = QPrinterInfo::printerInfo(printer).defaultPageSize();
        if (size.isValid())
            return PaperInches(size);
    }
    const bool imperial = QLocale().measurementSystem() != QLocale::MetricSystem;
    return PaperInches(QPageSize(imperial ? QPageSize::Letter : QPageSize::A4));
}

QString PrinterSetup::DriverName() const
{
    if (IsPdfFile())
        return QStringLiteral("PDF");
    return QPrinterInfo::printerInfo(printer_).makeAndModel();
}

QString PrinterSetup::PortName() const
{
    if (IsPdfFile())
        return QStringLiteral("FILE:");
    return QPrinterInfo::printerInfo(printer_).location();
}

void PrinterSetup::ApplyTo(QPrinter& printer) const
{
    if (IsPdfFile()) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdfFile_.isEmpty() ? ProposedPdfPath(title_) : pdfFile_);
    } else {
        printer.setPrinterName(printer_);
    }
    printer.setFullPage(true);
    printer.setPageSize(QPageSize(portrait_, QPageSize::Inch, QString(), QPageSize::ExactMatch));
    if (orientation_ != PaperOrientation::PrinterDefault)
        printer.setPageOrientation(orientation_ == PaperOrientation::Landscape ? QPageLayout::Landscape
                                                                               : QPageLayout::Portrait);
    printer.setCopyCount(copies_ > 0 ? copies_ : 1);
    printer.setDocName(JobName());
    printer.setCreator(QApplication::applicationName());
}

void PrinterSetup::TakeFrom(const QPrinter& printer)
{
    if (printer.outputFormat() == QPrinter::PdfFormat) {
        printer_ = PdfFilePrinterName;
        pdfFile_ = printer.outputFileName();
    } else {
        printer_ = printer.printerName();
    }
    portrait_ = PaperInches(printer.pageLayout().pageSize());
    orientation_ = printer.pageLayout().orientation() == QPageLayout::Landscape ? PaperOrientation::Landscape
                                                                                : PaperOrientation::Portrait;
    copies_ = printer.copyCount();
}
