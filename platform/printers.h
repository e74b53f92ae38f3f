#pragma once

#include <QPageLayout>
#include <QSizeF>
#include <QString>
#include <QStringList>
#include <memory>

class QIODevice;
class QPageSize;
class QPaintDevice;
class QPdfWriter;
class QTemporaryDir;
class StagedFile;

// The printer that is always there: a job sent to it is saved as a PDF file.
inline const QString PdfFilePrinterName = QStringLiteral("PDF file");

// The printers the program may print on. The real list is the system's (CUPS) printers
// followed by "PDF file"; tests install a double to see what happens when the printing
// system itself fails (no list, no default).
class PrinterListService {
public:
    virtual ~PrinterListService() = default;
    virtual QStringList Printers() = 0;
    // The printer selected by the system; empty when it names none.
    virtual QString DefaultPrinter() = 0;
};

class PrinterDialogs;
// Makes the dialogs (not owned) the ones used when no test double is installed; without
// them nobody is asked: a PDF has no place, the print and setup dialogs accept.
void InstallPrinterDialogs(PrinterDialogs* dialogs);

// Installs a service (not owned) and returns the one it replaces; nullptr restores the
// system's list.
PrinterListService* SetPrinterListService(PrinterListService* service);
QStringList InstalledPrinters();
QString DefaultPrinterName();

// A paper's size in inches, upright.
QSizeF PaperInches(const QPageSize& size);

enum class PaperOrientation { Portrait, Landscape, PrinterDefault };

// One printer with the settings of the next job on it: paper, orientation, copies, title.
class PrinterSetup {
public:
    // The default printer with its default paper.
    PrinterSetup();

    QString Printer() const { return printer_; }
    bool IsPdfFile() const { return printer_ == PdfFilePrinterName; }
    // Chooses a printer and takes its default paper.
    void SetPrinter(const QString& name);

    // Paper by device code: 1 letter, 9 A4, 11 A5, 0 a custom size given in inches (kept,
    // like a device would, in tenths of a millimetre). Other codes change nothing.
    // The size is that of the paper held upright.
    void SetPaperSize(int code, double widthInches, double heightInches);
    // The paper as it comes out of the printer, in inches, turned by the orientation.
    QSizeF PaperSizeInches() const;
    QSizeF PortraitPaperInches() const { return portrait_; }
    void SetPortraitPaperInches(QSizeF size) { portrait_ = size; }

    PaperOrientation Orientation() const { return orientation_; }
    void SetOrientation(PaperOrientation o) { orientation_ = o; }
    // Values of 0 and below are kept but the printer makes one copy.
    int Copies() const { return copies_; }
    void SetCopies(int copies) { copies_ = copies; }
    // The job's name; the printer sees at most the first 31 characters.
    QString Title() const { return title_; }
    void SetTitle(const QString& title) { title_ = title; }
    QString JobName() const { return title_.left(31); }
    // The file the print dialog chose for "PDF file": the job writes there without asking.
    // Choosing another printer forgets it.
    QString PdfFileName() const { return pdfFile_; }
    void SetPdfFileName(const QString& path) { pdfFile_ = path; }

    // The CUPS driver (make and model of its PPD), "PDF" for "PDF file".
    QString DriverName() const;
    // Where the printer sits: its CUPS location, "FILE:" for "PDF file".
    QString PortName() const;

private:
    QString printer_;
    QSizeF portrait_;
    PaperOrientation orientation_ = PaperOrientation::PrinterDefault;
    int copies_ = 1;
    QString title_;
    QString pdfFile_;
};

// The platform's print, printer setup and save dialogs, replaceable in tests.
class PrinterDialogs {
public:
    virtual ~PrinterDialogs() = default;
    // Where to save a PDF; proposes a path. Empty when the user cancels.
    virtual QString ChoosePdfFile(const QString& proposedPath) = 0;
    // The print dialog pre-filled with the setup's copies and the page range; true on OK,
    // with the setup and the range updated (all pages gives 1 and 9999).
    virtual bool PrintDialog(PrinterSetup& setup, int& firstPage, int& lastPage) = 0;
    virtual bool PrinterSetupDialog(PrinterSetup& setup) = 0;
};

PrinterDialogs* SetPrinterDialogs(PrinterDialogs* dialogs);
PrinterDialogs& Dialogs();

// Dialogs for printing without a window: "PDF file" jobs go to a path given beforehand,
// the print and setup dialogs accept the settings as they are. Installed for the
// object's life.
class FixedPdfFile : public PrinterDialogs {
public:
    explicit FixedPdfFile(QString path);
    ~FixedPdfFile() override;
    FixedPdfFile(const FixedPdfFile&) = delete;
    FixedPdfFile& operator=(const FixedPdfFile&) = delete;

    QString ChoosePdfFile(const QString&) override { return path_; }
    bool PrintDialog(PrinterSetup&, int&, int&) override { return true; }
    bool PrinterSetupDialog(PrinterSetup&) override { return true; }

private:
    QString path_;
    PrinterDialogs* previous_;
};

// The path proposed for a job saved as PDF: the title as file name in the folder the
// last PDF went to, or else in the user's documents folder (the home folder without one).
QString ProposedPdfPath(const QString& title);
// Remembers the folder of a saved PDF for the next proposal.
void RememberPdfFolder(const QString& path);

// One print job: the device to paint on, its pages, and its end. A PDF job is written
// through a StagedFile, so the target is whole or absent whatever happens to the job. A
// job for a printer is the same PDF, written to a temporary file and handed to the
// printer's queue when it ends.
class PrintJob {
public:
    PrintJob();
    ~PrintJob();
    PrintJob(const PrintJob&) = delete;
    PrintJob& operator=(const PrintJob&) = delete;

    // Opens the job. For "PDF file" it asks where to save, unless the print dialog chose
    // the file already; false when the user cancels there or the file cannot be made
    // (Failure then says why). For a printer it makes the temporary file.
    bool Begin(const PrinterSetup& setup);
    // The device to paint on; the painter starts the file afresh.
    QPaintDevice* Device();
    // The PDF file being written, for output that writes it itself.
    QIODevice* PdfFile() const;
    void NewPage();
    // After painting has ended: completes the job, or removes what an aborted one wrote.
    // False when a PDF could not be written whole and put in place, or the printer's
    // queue refused it.
    bool Finish(bool aborted);
    QString FileName() const { return target_; }
    // The printer the job goes to; empty for "PDF file".
    QString Queue() const { return queue_; }
    // Whether writing the PDF, or handing it to the queue, has failed so far.
    bool Failed() const;
    // The system's reason when the PDF could not be made or written, or the scheduler's
    // when the queue refused it; empty otherwise.
    QString Failure() const;

private:
    std::unique_ptr<QTemporaryDir> spool_;
    std::unique_ptr<StagedFile> file_;
    std::unique_ptr<QPdfWriter> pdf_;
    QPageLayout layout_;
    QString title_;
    QString target_;
    QString queue_;
    int copies_ = 1;
    QSizeF paper_;
    QString refused_;
};
