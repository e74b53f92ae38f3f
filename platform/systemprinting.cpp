#include "platform/systemprinting.h"

#include "platform/mainwindow.h"
#include "platform/printersetupdialog.h"

#include <QApplication>
#include <QFileDialog>
#include <QPrintDialog>
#include <QPrinter>

namespace {

// Printer, paper, orientation, copies and title of the setup on a printer object.
void applySetup(const PrinterSetup& setup, QPrinter& printer)
{
    if (setup.IsPdfFile()) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(setup.PdfFileName().isEmpty() ? ProposedPdfPath(setup.Title()) : setup.PdfFileName());
    } else {
        printer.setPrinterName(setup.Printer());
    }
    printer.setFullPage(true);
    printer.setPageSize(QPageSize(setup.PortraitPaperInches(), QPageSize::Inch, QString(), QPageSize::ExactMatch));
    if (setup.Orientation() != PaperOrientation::PrinterDefault)
        printer.setPageOrientation(setup.Orientation() == PaperOrientation::Landscape ? QPageLayout::Landscape
                                                                                      : QPageLayout::Portrait);
    printer.setCopyCount(setup.Copies() > 0 ? setup.Copies() : 1);
    printer.setDocName(setup.JobName());
    printer.setCreator(QApplication::applicationName());
}

// Printer, paper, orientation and copies back from a printer object after a dialog.
void takeSetup(PrinterSetup& setup, const QPrinter& printer)
{
    const bool pdf = printer.outputFormat() == QPrinter::PdfFormat;
    setup.SetPrinter(pdf ? PdfFilePrinterName : printer.printerName());
    if (pdf)
        setup.SetPdfFileName(printer.outputFileName());
    setup.SetPortraitPaperInches(PaperInches(printer.pageLayout().pageSize()));
    setup.SetOrientation(printer.pageLayout().orientation() == QPageLayout::Landscape ? PaperOrientation::Landscape
                                                                                      : PaperOrientation::Portrait);
    setup.SetCopies(printer.copyCount());
}

} // namespace

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
    applySetup(setup, printer);
    QPrintDialog dialog(&printer, DialogOwner());
    dialog.setOption(QAbstractPrintDialog::PrintPageRange);
    dialog.setMinMax(1, 9999);
    if (firstPage != 1 || lastPage != 9999) {
        printer.setPrintRange(QPrinter::PageRange);
        printer.setFromTo(firstPage, lastPage);
    }
    if (dialog.exec() != QDialog::Accepted)
        return false;
    takeSetup(setup, printer);
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
