#include "platform/printers.h"

#include "platform/cupsqueue.h"
#include "platform/localpaper.h"
#include "platform/mainwindow.h"
#include "platform/printersetupdialog.h"
#include "platform/rememberedfolder.h"
#include "platform/stagedfile.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLocale>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrinter>
#include <QTemporaryDir>
#include <cmath>
#include <utility>

namespace {

class SystemPrinters : public PrinterListService {
public:
    QStringList Printers() override { return CupsQueueNames() << PdfFilePrinterName; }
    QString DefaultPrinter() override
    {
        const QString system = CupsDefaultQueue();
        return system.isEmpty() ? PdfFilePrinterName : system;
    }
};

PrinterListService*& installedList()
{
    static PrinterListService* service = nullptr;
    return service;
}

PrinterListService& printerList()
{
    static SystemPrinters system;
    PrinterListService* installed = installedList();
    return installed ? *installed : system;
}

class PlatformDialogs : public PrinterDialogs {
public:
    QString ChoosePdfFile(const QString& proposedPath) override
    {
        const QString chosen = QFileDialog::getSaveFileName(DialogOwner(), QStringLiteral("Save As PDF"), proposedPath,
                                                            QStringLiteral("PDF files (*.pdf)"));
        if (!chosen.isEmpty())
            RememberPdfFolder(chosen);
        return chosen;
    }

    bool PrintDialog(PrinterSetup& setup, int& firstPage, int& lastPage) override
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

    bool PrinterSetupDialog(PrinterSetup& setup) override
    {
        TPrinterSetupDialog dialog(setup, DialogOwner());
        return dialog.exec() == QDialog::Accepted;
    }
};

const QString PdfFolderKey = QStringLiteral("PdfFolder");

PrinterDialogs*& installedDialogs()
{
    static PrinterDialogs* dialogs = nullptr;
    return dialogs;
}

QSizeF defaultPaper(const QString& printer)
{
    if (printer != PdfFilePrinterName)
        if (const std::optional<QSizeF> paper = CupsQueuePaper(printer))
            return *paper;
    return PaperInches(QPageSize(LocalePaper(QLocale())));
}

// Custom sizes reach a device in tenths of a millimetre.
double toDeviceTenths(double inches)
{
    return std::round(inches * 254.0) / 254.0;
}

} // namespace

QSizeF PaperInches(const QPageSize& size)
{
    // Qt rounds inch sizes to two decimals; millimetres are exact for the paper codes we use.
    return size.size(QPageSize::Millimeter) / 25.4;
}

PrinterListService* SetPrinterListService(PrinterListService* service)
{
    return std::exchange(installedList(), service);
}

QStringList InstalledPrinters()
{
    return printerList().Printers();
}

QString DefaultPrinterName()
{
    return printerList().DefaultPrinter();
}

PrinterDialogs* SetPrinterDialogs(PrinterDialogs* dialogs)
{
    return std::exchange(installedDialogs(), dialogs);
}

PrinterDialogs& Dialogs()
{
    static PlatformDialogs platform;
    PrinterDialogs* installed = installedDialogs();
    return installed ? *installed : platform;
}

FixedPdfFile::FixedPdfFile(QString path) : path_(std::move(path)), previous_(SetPrinterDialogs(this)) {}

FixedPdfFile::~FixedPdfFile()
{
    SetPrinterDialogs(previous_);
}

QString ProposedPdfPath(const QString& title)
{
    QString name = title.trimmed();
    name.replace(QLatin1Char('/'), QLatin1Char('_'));
    if (name.isEmpty())
        name = QStringLiteral("Report");
    return QDir(RememberedFolder(PdfFolderKey)).filePath(name + QStringLiteral(".pdf"));
}

void RememberPdfFolder(const QString& path)
{
    RememberFolder(PdfFolderKey, path);
}

// ---- PrinterSetup --------------------------------------------------------------------------

PrinterSetup::PrinterSetup()
{
    SetPrinter(DefaultPrinterName());
}

void PrinterSetup::SetPrinter(const QString& name)
{
    const QString chosen = name.isEmpty() ? PdfFilePrinterName : name;
    if (chosen != printer_)
        pdfFile_.clear();
    printer_ = chosen;
    portrait_ = defaultPaper(printer_);
}

void PrinterSetup::SetPaperSize(int code, double widthInches, double heightInches)
{
    switch (code) {
    case 1:
        portrait_ = PaperInches(QPageSize(QPageSize::Letter));
        break;
    case 9:
        portrait_ = PaperInches(QPageSize(QPageSize::A4));
        break;
    case 11:
        portrait_ = PaperInches(QPageSize(QPageSize::A5));
        break;
    case 0:
        if (widthInches > 0 && heightInches > 0)
            portrait_ = QSizeF(toDeviceTenths(widthInches), toDeviceTenths(heightInches));
        break;
    default:
        break;
    }
}

QSizeF PrinterSetup::PaperSizeInches() const
{
    return orientation_ == PaperOrientation::Landscape ? portrait_.transposed() : portrait_;
}

QString PrinterSetup::DriverName() const
{
    if (IsPdfFile())
        return QStringLiteral("PDF");
    return CupsQueueAttribute(printer_, "printer-make-and-model");
}

QString PrinterSetup::PortName() const
{
    if (IsPdfFile())
        return QStringLiteral("FILE:");
    return CupsQueueAttribute(printer_, "printer-location");
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

// ---- PrintJob ------------------------------------------------------------------------------

PrintJob::PrintJob() = default;
PrintJob::~PrintJob() = default;

bool PrintJob::Begin(const PrinterSetup& setup)
{
    pdf_.reset();
    file_.reset();
    spool_.reset();
    refused_.clear();
    queue_ = setup.IsPdfFile() ? QString() : setup.Printer();
    if (queue_.isEmpty()) {
        target_ = setup.PdfFileName().isEmpty() ? Dialogs().ChoosePdfFile(ProposedPdfPath(setup.Title()))
                                                : setup.PdfFileName();
        if (target_.isEmpty())
            return false;
    } else {
        spool_ = std::make_unique<QTemporaryDir>();
        target_ = spool_->filePath(QStringLiteral("job.pdf"));
    }
    const QPageLayout::Orientation orientation =
        setup.Orientation() == PaperOrientation::Landscape ? QPageLayout::Landscape : QPageLayout::Portrait;
    layout_ = QPageLayout(QPageSize(setup.PortraitPaperInches(), QPageSize::Inch, QString(), QPageSize::ExactMatch),
                          orientation, QMarginsF());
    title_ = setup.JobName();
    copies_ = setup.Copies();
    paper_ = setup.PortraitPaperInches();
    file_ = std::make_unique<StagedFile>(target_);
    return file_->Open();
}

QPaintDevice* PrintJob::Device()
{
    if (!file_)
        return nullptr;
    if (!pdf_) {
        file_->Restart();
        pdf_ = std::make_unique<QPdfWriter>(file_.get());
        pdf_->setResolution(1200);
        pdf_->setPageLayout(layout_);
        pdf_->setTitle(title_);
        pdf_->setCreator(QApplication::applicationName());
    }
    return pdf_.get();
}

QIODevice* PrintJob::PdfFile() const
{
    return file_.get();
}

void PrintJob::NewPage()
{
    if (pdf_)
        pdf_->newPage();
}

bool PrintJob::Finish(bool aborted)
{
    if (!file_)
        return true;
    pdf_.reset();
    if (!aborted && file_->Commit()) {
        if (!queue_.isEmpty())
            refused_ = SubmitPdfToQueue(queue_, target_, {title_, copies_, paper_});
        return refused_.isEmpty();
    }
    file_->Discard();
    return aborted && !file_->Failed();
}

bool PrintJob::Failed() const
{
    return (file_ && file_->Failed()) || !refused_.isEmpty();
}

QString PrintJob::Failure() const
{
    if (!refused_.isEmpty())
        return refused_;
    return file_ ? file_->Error() : QString();
}
