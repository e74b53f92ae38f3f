// addrina-print labels: mailing labels of an address file to PDF, with the same label
// face, sheet geometry and report canvas as the program's own printing.
#include "addressfile/runrecords.h"
#include "labels/labelface.h"
#include "labels/labelrun.h"
#include "labels/sheetoffer.h"
#include "labels/tzintlabelfile.h"
#include "platform/printers.h"
#include "report/tcanvasreport.h"
#include "session/addresssession.h"
#include "tools/addrina_print_command.h"

#include <cstdio>

namespace {

using namespace addrinaprint;

int CountArgument(const ParsedArgs& parsed, const QString& option, int fallback, int low, int high)
{
    if (!parsed.Has(option))
        return fallback;
    bool ok = false;
    const int value = parsed.Value(option).toInt(&ok);
    if (!ok || value < low || value > high)
        throw UsageError(QStringLiteral("%1 takes a number from %2 to %3").arg(option).arg(low).arg(high));
    return value;
}

void LoadSetup(const ParsedArgs& parsed, TZintLabelFile& setup)
{
    const bool fromSetup = parsed.Has(QStringLiteral("--setup"));
    if (fromSetup == parsed.Has(QStringLiteral("--template")))
        throw UsageError(QStringLiteral("give either --setup or --template"));
    if (fromSetup) {
        const QString file = parsed.Value(QStringLiteral("--setup"));
        if (!setup.LoadFromFile(file))
            throw Failure(QStringLiteral("cannot read the label setup \"%1\"").arg(file));
        return;
    }
    const QString name = parsed.Value(QStringLiteral("--template"));
    // A template has no face of its own: shrink the font so that no address line is lost.
    setup.AdjustFontSizeToFit = true;
    const std::optional<LabelTemplate> sheet = FindOfferedSheet(CataloguePath(), name);
    if (!sheet)
        throw Failure(QStringLiteral("no template \"%1\" in %2 or the label library (\"addrina-print templates\" "
                                     "lists them)")
                          .arg(name, CataloguePath()));
    static_cast<LabelTemplate&>(setup) = *sheet;
}

int RunLabels(const QStringList& args)
{
    const ParsedArgs parsed =
        ParseArgs(args, OptionSpec{1,
                                   {QStringLiteral("--setup"), QStringLiteral("--template"), QStringLiteral("--filter"),
                                    QStringLiteral("--order"), QStringLiteral("--copies"), QStringLiteral("--skip"),
                                    QStringLiteral("--barcode"), QStringLiteral("--barcode-corner")},
                                   {QStringLiteral("--outline"), QStringLiteral("--calibration-sheet"),
                                    QStringLiteral("--fit"), QStringLiteral("--no-fit")}});
    LabelRunOptions run;
    run.copies = CountArgument(parsed, QStringLiteral("--copies"), 1, 1, 99);
    run.skipFirst = CountArgument(parsed, QStringLiteral("--skip"), 0, 0, kMaxLabelPositions - 1);
    TZintLabelFile setup;
    LoadSetup(parsed, setup);
    ApplyBarcodeArguments(parsed, setup.Barcode);
    if (parsed.Has(QStringLiteral("--fit")) && parsed.Has(QStringLiteral("--no-fit")))
        throw UsageError(QStringLiteral("give either --fit or --no-fit"));
    if (parsed.Has(QStringLiteral("--fit")) || parsed.Has(QStringLiteral("--no-fit")))
        setup.AdjustFontSizeToFit = parsed.Has(QStringLiteral("--fit"));
    if (setup.Across * setup.Down > 0 && run.skipFirst >= setup.Across * setup.Down)
        throw UsageError(QStringLiteral("--skip leaves no position of the sheet"));

    AddressSession session;
    OpenAddressFile(session, parsed.positional[0]);
    ApplyOrderArgument(session, parsed.Value(QStringLiteral("--order")));
    ApplyFilterArgument(session, parsed.Value(QStringLiteral("--filter")));
    if (session.Apollo1.QueryRecCount() == 0)
        throw Failure(QStringLiteral("no record matches"));
    PositionRunRecords(session.Apollo1, session.TableBook, RunRecords{}, 0);

    LabelFace face;
    face.style = setup.Face();
    face.SetDataTable(&session.TableBook);

    const OutputPrinter destination(parsed);
    TReportPrinter report;
    report.SetTitle(QStringLiteral("Addrina labels"));
    destination.ApplyTo(report.Printer());
    SetLabelPaper(report, setup);
    const PrinterCalibration calibration = ReadPrinterCalibration(destination.Name());
    SetFaceStretch(report, setup, calibration);
    const LabelDrawing drawing{calibration, parsed.Has(QStringLiteral("--outline")), {}, {}};
    LabelTally tally;
    report.OnPrint = [&](TBaseReport& r) {
        if (parsed.Has(QStringLiteral("--calibration-sheet")))
            DrawLabelLines(r, CalibrationSheetLines(setup, calibration));
        else
            tally = DrawLabels(r, face, session.TableBook, setup, run, drawing);
    };
    RunReportTo(report, destination);
    std::printf("%d labels\n", tally.Labels());
    PrintRunNotes(tally.LostLinesNote(), tally.BarcodeNote());
    return 0;
}

const Registrar registrar{
    QStringLiteral("labels"),
    QStringLiteral("<address file> (--setup <file.lbl> | --template <name>) [--filter <expression>] [--order <tag>] "
                   "[--copies N] [--skip N] [--fit | --no-fit] [--barcode qr|code128:FIELD|datamatrix:FIELD|imb] "
                   "[--barcode-corner CORNER] [--outline] [--calibration-sheet] (-o <out.pdf> | --printer [QUEUE])"),
    RunLabels, QStringLiteral(R"(Prints one mailing label for each record of an address file (a .DBF file) into a PDF
file, laid out on the sheet of a saved label setup or of a catalogue template.

  <address file>          the address file to print from; it is only read
  --setup <file.lbl>      a label setup saved by the program (sheet, font, address format)
  --template <name>       a sheet from the template catalogue, e.g. 5160, or from
                          the system's label library as "MAKER PART", e.g.
                          "Zweckform 3475" ("addrina-print templates" lists them),
                          with the default face (Arial 10, every address part but
                          the phone, the font shrunk to fit)
  --filter <expression>   only the records for which the xBase expression is true,
                          e.g. "STATE = 'IL'"; deleted records are never printed
  --order <tag>           print in the order of an index tag, e.g. LNAME or ZIP;
                          natural record order without it
  --copies N              labels per record, 1 to 99 (default 1)
  --skip N                leave the first N positions of the first sheet empty, for a
                          part-used sheet (default 0)
  --fit                   shrink the font of a label whose lines would not fit, so no
                          address line is lost (the setup's "Adjust to Fit" on)
  --no-fit                keep the font size; lines that do not fit are left out
  --barcode KIND          a barcode in a corner of every label, beside the address:
                          qr (the contact as a vCard), code128:FIELD or
                          datamatrix:FIELD (the field's value, e.g. code128:ZIP), or
                          imb (the USPS Intelligent Mail barcode from the Mailer ID,
                          service type, barcode ID and serial number in ADR.ini's
                          [Intelligent Mail] section, routed by the record's ZIP code)
  --barcode-corner CORNER top-left, top-right, bottom-left or bottom-right (default
                          the setup's, bottom-right for a template)
  --outline               draw each label's outline, to check the layout on plain paper
  --calibration-sheet     print one sheet of label outlines, with a small cross on each
                          label's top left corner, instead of addresses: print it, lay
                          it on a label sheet and measure how far the printer is off
  -o <out.pdf>            the PDF file to write (replaced when it exists)
  --printer [QUEUE]       print on a printer's queue instead (the system's default
                          queue without a name; "addrina-print printers" lists them)

Labels that lose address lines because they do not fit are counted: the PDF is
written all the same, and a note on standard error says how many and which records.
Likewise a barcode that does not fit beside the address, or whose data the record or
the settings cannot give, is left off its label and the note says why.

The calibration the program keeps for the printer, "PDF file" with -o (offsets in mm,
scales in per cent, in ADR.ini), moves and scales every label, as it does on paper.
Exit status: 0 when the PDF was written or the printer took the job, 1 when a file
could not be read or written, nothing matched or the printer refused the job (the
reason follows), 2 for wrong arguments.
)")};

} // namespace
