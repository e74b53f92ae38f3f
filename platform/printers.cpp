#include "platform/printers.h"

#include "platform/mainwindow.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLocale>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QStandardPaths>
#include <QTemporaryFile>
#include <cmath>
#include <utility>

namespace {

class SystemPrinters : public PrinterListService {
public:
    QStringList Printers() override { return QPrinterInfo::availablePrinterNames() << PdfFilePrinterName; }
    QString DefaultPrinter() override
    {
        const QString system = QPrinterInfo::defaultPrinterName();
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
        return QFileDialog::getSaveFileName(DialogOwner(), QStringLiteral("Save As PDF"), proposedPath,
                                            QStringLiteral("PDF files (*.pdf)"));
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
        QPrinter printer(QPrinter::HighResolution);
        setup.ApplyTo(printer);
        QPageSetupDialog dialog(&printer, DialogOwner());
        if (dialog.exec() != QDialog::Accepted)
            return false;
        setup.TakeFrom(printer);
        return true;
    }
};

PrinterDialogs*& installedDialogs()
{
    static PrinterDialogs* dialogs = nullptr;
    return dialogs;
}

// Qt rounds inch sizes to two decimals; millimetres are exact for the paper codes we use.
QSizeF inchesOf(const QPageSize& size)
{
    return size.size(QPageSize::Millimeter) / 25.4;
}

QSizeF defaultPaper(const QString& printer)
{
    if (printer != PdfFilePrinterName) {
        const QPageSize size = QPrinterInfo::printerInfo(printer).defaultPageSize();
        if (size.isValid())
            return inchesOf(size);
    }
    const bool imperial = QLocale().measurementSystem() != QLocale::MetricSystem;
    return inchesOf(QPageSize(imperial ? QPageSize::Letter : QPageSize::A4));
}

// Custom sizes reach a device in tenths of a millimetre.
double toDeviceTenths(double inches)
{
    return std::round(inches * 254.0) / 254.0;
}

} // namespace

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
    QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (folder.isEmpty())
        folder = QDir::homePath();
    return QDir(folder).filePath(name + QStringLiteral(".pdf"));
}

// ---- PrinterSetup --------------------------------------------------------------------------

PrinterSetup::PrinterSetup()
{
    SetPrinter(DefaultPrinterName());
}

void PrinterSetup::SetPrinter(const QString& name)
{
    printer_ = name.isEmpty() ? PdfFilePrinterName : name;
    portrait_ = defaultPaper(printer_);
}

void PrinterSetup::SetPaperSize(int code, double widthInches, double heightInches)
{
    switch (code) {
    case 1:
        portrait_ = inchesOf(QPageSize(QPageSize::Letter));
        break;
    case 9:
        portrait_ = inchesOf(QPageSize(QPageSize::A4));
        break;
    case 11:
        portrait_ = inchesOf(QPageSize(QPageSize::A5));
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
        if (!pdfFile_.isEmpty())
            printer.setOutputFileName(pdfFile_);
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
    portrait_ = inchesOf(printer.pageLayout().pageSize());
    orientation_ = printer.pageLayout().orientation() == QPageLayout::Landscape ? PaperOrientation::Landscape
                                                                                : PaperOrientation::Portrait;
    copies_ = printer.copyCount();
}

// ---- PrintJob ------------------------------------------------------------------------------

PrintJob::PrintJob() = default;

PrintJob::~PrintJob()
{
    if (!temporary_.isEmpty())
        QFile::remove(temporary_);
}

bool PrintJob::Begin(const PrinterSetup& setup)
{
    printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
    setup.ApplyTo(*printer_);
    if (setup.IsPdfFile()) {
        const QString proposed = setup.PdfFileName().isEmpty() ? ProposedPdfPath(setup.Title()) : setup.PdfFileName();
        target_ = Dialogs().ChoosePdfFile(proposed);
        if (target_.isEmpty())
            return false;
        QTemporaryFile temporary(QFileInfo(target_).absolutePath() + QStringLiteral("/.addrina-XXXXXX.pdf"));
        temporary.setAutoRemove(false);
        if (!temporary.open())
            return false;
        temporary_ = temporary.fileName();
        printer_->setOutputFileName(temporary_);
    }
    return true;
}

QPaintDevice* PrintJob::Device() const
{
    return printer_.get();
}

void PrintJob::NewPage()
{
    printer_->newPage();
}

void PrintJob::Abort()
{
    if (temporary_.isEmpty())
        printer_->abort();
}

bool PrintJob::Finish(bool aborted)
{
    if (temporary_.isEmpty())
        return true;
    const QString written = std::exchange(temporary_, QString());
    if (aborted) {
        QFile::remove(written);
        return true;
    }
    QFile::remove(target_);
    if (QFile::rename(written, target_))
        return true;
    QFile::remove(written);
    return false;
}
