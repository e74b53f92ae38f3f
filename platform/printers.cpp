#include "platform/printers.h"

#include "platform/cupsqueue.h"
#include "platform/localpaper.h"
#include "platform/rememberedfolder.h"
#include "platform/stagedfile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QPdfWriter>
#include <QTemporaryDir>
#include <cmath>
#include <utility>

namespace {

PrinterListService*& installedList()
{
    static PrinterListService* service = nullptr;
    return service;
}

// The system's printers are its CUPS queues, followed by "PDF file".
class SystemPrinters : public PrinterListService {
public:
    QStringList Printers() override { return CupsQueueNames() << PdfFilePrinterName; }
    QString DefaultPrinter() override
    {
        const QString system = CupsDefaultQueue();
        return system.isEmpty() ? PdfFilePrinterName : system;
    }
};

// Without windows nobody can be asked: a PDF has no place, the other dialogs accept.
class NoDialogs : public PrinterDialogs {
public:
    QString ChoosePdfFile(const QString&) override { return {}; }
    bool PrintDialog(PrinterSetup&, int&, int&) override { return true; }
    bool PrinterSetupDialog(PrinterSetup&) override { return true; }
};

PrinterDialogs*& systemDialogs()
{
    static NoDialogs none;
    static PrinterDialogs* dialogs = &none;
    return dialogs;
}

PrinterListService& printerList()
{
    static SystemPrinters system;
    PrinterListService* installed = installedList();
    return installed ? *installed : system;
}

QSizeF defaultPaper(const QString& printer)
{
    if (printer != PdfFilePrinterName)
        if (const std::optional<QSizeF> paper = CupsQueuePaper(printer))
            return *paper;
    return PaperInches(QPageSize(LocalePaper(QLocale())));
}

const QString PdfFolderKey = QStringLiteral("PdfFolder");

PrinterDialogs*& installedDialogs()
{
    static PrinterDialogs* dialogs = nullptr;
    return dialogs;
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

void InstallPrinterDialogs(PrinterDialogs* dialogs)
{
    systemDialogs() = dialogs;
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
    PrinterDialogs* installed = installedDialogs();
    return installed ? *installed : *systemDialogs();
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
    return IsPdfFile() ? QStringLiteral("PDF") : CupsQueueAttribute(printer_, "printer-make-and-model");
}

QString PrinterSetup::PortName() const
{
    return IsPdfFile() ? QStringLiteral("FILE:") : CupsQueueAttribute(printer_, "printer-location");
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
        pdf_->setCreator(QCoreApplication::applicationName());
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
