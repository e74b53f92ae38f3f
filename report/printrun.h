#pragma once

#include "report/reportstatuswindow.h"
#include "report/tcanvasreport.h"
#include "report/treportfiler.h"

#include <QByteArray>
#include <QPointer>
#include <functional>

// One print or preview run of a printing command, the way every command runs one: a
// printing and a recording component on the chosen printer, the status window that runs
// the report (Cancel while printing, Stop while previewing), and for a preview that was
// not cancelled the preview window on the recorded pages.
//
//   TPrintRun run(printer, preview, texts);
//   run.Report().OnPrint = [&](TBaseReport& r) { ... if (run.StopRequested()) ... };
//   run.Execute(parent, QStringLiteral("Preview Report"));
class TPrintRun {
public:
    TPrintRun(const PrinterSetup& printer, bool preview, ReportStatusTexts texts);

    bool Preview() const { return preview_; }
    // The component this run draws on, set up as the printing commands want it: inches,
    // margins 0.5, line height from the font, the program's name as job title, the
    // status template "Printing Page %p\r%0\r%1" with two empty lines.
    TBaseReport& Report() { return preview_ ? static_cast<TBaseReport&>(filer_) : printer_; }
    bool StopRequested() const { return window_ && window_->StopRequested(); }
    bool Aborted() { return Report().Aborted(); }

    // Shows the status window modally over parent (it runs the report); then, for a
    // preview that was not cancelled, the preview window at page width with the caption.
    // A print that is not ReadyToPrint ends as aborted before the status window.
    // A failure of the drawing routine comes back out of here.
    void Execute(QWidget* parent, const QString& previewCaption);

    // Runs once the status window has closed on a run that was neither cancelled nor
    // failed, before a preview opens: what the run has to say comes before its pages.
    std::function<void()> OnRunEnded;

private:
    TReportPrinter printer_;
    TReportFiler filer_;
    bool preview_;
    ReportStatusTexts texts_;
    QByteArray stream_;
    QPointer<TReportStatusWindow> window_;
};

class AddressSession;

// Readies a printer run started from a window: with no printer at all the error box "No
// printers are defined, aborting print job."; for "PDF file" the save dialog, unless a file
// was chosen already. False when the run is not to start.
bool ReadyToPrint(TBaseReport& report);

// The print dialog on the report's printer, copies and page range; false on Cancel.
bool ShowPrintDialog(TBaseReport& report);
// The printer setup on the report's printer; false on Cancel.
bool ShowPrinterSetup(TBaseReport& report);

// The printer the user chose last in the session, when it is still installed.
void UseSessionPrinter(TBaseReport& report, const AddressSession& session);
// The printer setup; a printer chosen there is the session's from now on.
void ShowSessionPrinterSetup(TBaseReport& report, AddressSession& session);

// The status texts of a printing command for its kind of print ("Cancel Label
// Printing?", "\rLabel Print Canceled!" and so on for "Label").
ReportStatusTexts PrintRunTexts(const QString& kind);
// The status texts of the report commands ("Report Print Canceled!" and so on).
ReportStatusTexts ReportRunTexts();

// Tells the user that "Start from current record" found the current record outside the
// chosen ones, so the run starts at the first.
void SayRunStartsAtTheFirstRecord();
