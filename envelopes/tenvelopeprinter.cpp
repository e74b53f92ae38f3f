#include "envelopes/tenvelopeprinter.h"

#include "envelopes/tenvelopesetup.h"
#include "platform/messages.h"
#include "report/printrun.h"
#include "session/addresssession.h"
#include "session/sessionscopes.h"
#include "table/tableerror.h"

#include <QCoreApplication>

void DoPrintEnvelopes(AddressSession& session, const EnvelopeRequest& request, const QString& printerName,
                      QWidget* parent)
{
    KeepPlace keep(session);
    try {
        if (PositionRunRecords(session.Apollo1, session.TableBook, request.records, keep.RecNo()) ==
            RunStart::CurrentOutOfRange)
            SayRunStartsAtTheFirstRecord();

        PrinterSetup printer;
        printer.SetPrinter(printerName);
        ReportStatusTexts texts = PrintRunTexts(QStringLiteral("Envelope"));
        texts.closeWhenPreviewReady = true;
        TPrintRun run(printer, !request.printToPrinter, texts);
        EnvelopeJob job = request.job;
        if (request.printToPrinter) {
            job.quarterTurns = FeedQuarterTurns(ReadEnvelopeFeed(printerName));
            job.calibration = ReadPrinterCalibration(printerName);
        }
        TBaseReport& report = run.Report();
        SetEnvelopePaper(report, job);
        report.ClearOtherEvents();
        EnvelopeTally tally;
        report.OnPrint = [&](TBaseReport& r) {
            tally = DrawEnvelopes(
                r, session.TableBook, job, [&run] { return run.StopRequested(); },
                [] { QCoreApplication::processEvents(); });
        };
        run.OnRunEnded = [&tally] {
            for (const QString& note : {tally.LostLinesNote(), tally.BarcodeNote()})
                if (!note.isEmpty())
                    ShowInformation(note);
        };
        run.Execute(parent, QStringLiteral("Preview Envelopes"));
    } catch (const TableError& e) {
        ShowInformation(e.Message());
    }
}
