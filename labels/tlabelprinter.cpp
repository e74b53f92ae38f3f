#include "labels/tlabelprinter.h"

#include "labels/labelface.h"
#include "labels/labelrun.h"
#include "labels/newlblsetup.h"
#include "platform/messages.h"
#include "session/addresssession.h"
#include "session/sessionscopes.h"
#include "table/tableerror.h"

#include <QCoreApplication>

TLabelPrinter::TLabelPrinter(const PrinterSetup& printer, bool printToPrinter)
    : TPrintRun(printer, !printToPrinter, LabelRunTexts())
{
    Report().OnBeforePrint = [printToPrinter](TBaseReport& report) {
        report.SetStatusFormat(printToPrinter ? QStringLiteral("Printing Page %p\r%0\r%1")
                                              : QStringLiteral("Preparing Preview Page %p\r%0\r%1"));
        report.StatusText() = QStringList{QString(), QString()};
    };
}

ReportStatusTexts LabelRunTexts()
{
    // A finished preview gives way to the preview window by itself.
    ReportStatusTexts texts = PrintRunTexts(QStringLiteral("Label"));
    texts.closeWhenPreviewReady = true;
    return texts;
}

void DoPrint(AddressSession& session, const LabelPrintJob& job, const QString& printerName, QWidget* parent)
{
    LabelFace face;
    face.style = job.setup->Face();
    face.SetDataTable(&session.TableBook);
    KeepPlace keep(session);
    try {
        if (PositionRunRecords(session.Apollo1, session.TableBook, job.records, keep.RecNo()) ==
            RunStart::CurrentOutOfRange)
            SayRunStartsAtTheFirstRecord();

        PrinterSetup printer;
        printer.SetPrinter(printerName);
        TLabelPrinter run(printer, job.printToPrinter);
        TBaseReport& report = run.Report();
        const QString question = SetLabelPaper(report, *job.setup);
        if (!question.isEmpty() && !AskYesNo(question, QStringLiteral("Print Labels")))
            return;

        LabelRunOptions options;
        options.selection = job.selection;
        options.copies = std::max(job.copies, 1);
        options.onePageOnly = job.onePageOnly;
        // Calibration corrects the printer's placement; the preview shows the sheet as designed.
        LabelDrawing drawing;
        if (job.printToPrinter)
            drawing.calibration = ReadPrinterCalibration(printerName);
        SetFaceStretch(report, *job.setup, drawing.calibration);
        drawing.stopped = [&run] { return run.StopRequested(); };
        drawing.recordDone = [] { QCoreApplication::processEvents(); };
        report.ClearOtherEvents();
        LabelTally tally;
        report.OnPrint = [&](TBaseReport& r) {
            tally = DrawLabels(r, face, session.TableBook, *job.setup, options, drawing);
        };
        run.OnRunEnded = [&tally] {
            if (const QString note = tally.LostLinesNote(); !note.isEmpty())
                ShowInformation(note);
            if (const QString note = tally.BarcodeNote(); !note.isEmpty())
                ShowInformation(note);
        };
        run.Execute(parent, QStringLiteral("Preview Labels"));
    } catch (const TableError& e) {
        ShowInformation(e.Message());
    }
}
