// addrina-print envelopes: one envelope per record of an address file, with the same
// address block, return address and report canvas as the program's own printing.
#include "addressfile/runrecords.h"
#include "envelopes/envelopeprint.h"
#include "report/tcanvasreport.h"
#include "session/addresssession.h"
#include "tools/addrina_print_command.h"

#include <QFile>
#include <QStringList>
#include <cstdio>

namespace {

using namespace addrinaprint;

QString SizeNames()
{
    QStringList names;
    for (const EnvelopeSize& size : EnvelopeSizes())
        names << size.key;
    return names.join(QStringLiteral(", "));
}

EnvelopeJob JobFromArguments(const ParsedArgs& parsed)
{
    EnvelopeJob job;
    const QString name = parsed.Value(QStringLiteral("--size"));
    const auto size = FindEnvelopeSize(name);
    if (!size)
        throw UsageError(QStringLiteral("no envelope size \"%1\"; the sizes are %2").arg(name, SizeNames()));
    job.size = *size;
    job.options = ReadEnvelopeOptions();
    job.offsets = ReadEnvelopeOffsets(job.size);
    if (parsed.Has(QStringLiteral("--font")))
        job.options.fontName = parsed.Value(QStringLiteral("--font"));
    if (parsed.Has(QStringLiteral("--font-size"))) {
        bool ok = false;
        job.options.fontSize = parsed.Value(QStringLiteral("--font-size")).toInt(&ok);
        if (!ok || job.options.fontSize < 4 || job.options.fontSize > 72)
            throw UsageError(QStringLiteral("--font-size takes a number from 4 to 72"));
    }
    if (parsed.Has(QStringLiteral("--bold")))
        job.options.fontBold = true;
    if (parsed.Has(QStringLiteral("--fit")) && parsed.Has(QStringLiteral("--no-fit")))
        throw UsageError(QStringLiteral("give either --fit or --no-fit"));
    if (parsed.Has(QStringLiteral("--fit")) || parsed.Has(QStringLiteral("--no-fit")))
        job.options.adjustFontSizeToFit = parsed.Has(QStringLiteral("--fit"));
    ApplyBarcodeArguments(parsed, job.options.barcode);
    job.options.printReturnAddress = parsed.Has(QStringLiteral("--return-address-file"));
    if (job.options.printReturnAddress) {
        const QString path = parsed.Value(QStringLiteral("--return-address-file"));
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
            throw Failure(QStringLiteral("cannot read the return address \"%1\"").arg(path));
        job.options.returnAddress = QString::fromUtf8(file.readAll()).trimmed();
    }
    return job;
}

int RunEnvelopes(const QStringList& args)
{
    const ParsedArgs parsed = ParseArgs(
        args, OptionSpec{1,
                         {QStringLiteral("--size"), QStringLiteral("--return-address-file"), QStringLiteral("--filter"),
                          QStringLiteral("--order"), QStringLiteral("--font"), QStringLiteral("--font-size"),
                          QStringLiteral("--barcode"), QStringLiteral("--barcode-corner")},
                         {QStringLiteral("--bold"), QStringLiteral("--fit"), QStringLiteral("--no-fit")}});
    if (!parsed.Has(QStringLiteral("--size")))
        throw UsageError(QStringLiteral("give the envelope's --size"));
    EnvelopeJob job = JobFromArguments(parsed);

    AddressSession session;
    OpenAddressFile(session, parsed.positional[0]);
    ApplyOrderArgument(session, parsed.Value(QStringLiteral("--order")));
    ApplyFilterArgument(session, parsed.Value(QStringLiteral("--filter")));
    if (session.Apollo1.QueryRecCount() == 0)
        throw Failure(QStringLiteral("no record matches"));
    PositionRunRecords(session.Apollo1, session.TableBook, RunRecords{}, 0);

    const OutputPrinter destination(parsed);
    TReportPrinter report;
    report.SetTitle(QStringLiteral("Addrina envelopes"));
    destination.ApplyTo(report.Printer());
    // As the program prints: turned and calibrated as kept for the printer ("PDF file" with
    // -o, upright unless the settings say otherwise).
    job.quarterTurns = FeedQuarterTurns(ReadEnvelopeFeed(destination.Name()));
    job.calibration = ReadPrinterCalibration(destination.Name());
    SetEnvelopePaper(report, job);
    EnvelopeTally tally;
    report.OnPrint = [&](TBaseReport& r) { tally = DrawEnvelopes(r, session.TableBook, job); };
    RunReportTo(report, destination);
    std::printf("%d envelopes\n", tally.addresses.Labels());
    PrintRunNotes(tally.LostLinesNote(), tally.BarcodeNote());
    return 0;
}

const Registrar registrar{
    QStringLiteral("envelopes"),
    QStringLiteral("<address file> --size <size> [--return-address-file <file>] [--filter <expression>] "
                   "[--order <tag>] [--font <name>] [--font-size N] [--bold] [--fit | --no-fit] "
                   "[--barcode qr|code128:FIELD|datamatrix:FIELD|imb] [--barcode-corner CORNER] "
                   "(-o <out.pdf> | --printer [QUEUE])"),
    RunEnvelopes, QStringLiteral(R"(Prints one envelope for each record of an address file (a .DBF file) into a PDF
file, one page of the envelope's size each, the address block right of and below the
middle, as postal services expect it.

  <address file>                the address file to print from; it is only read
  --size <size>                 the envelope: No10 (or #10), No9, No6_3_4 (or 6 3/4),
                                Monarch, A2, A7, DL, C6, C5, C4, B5
  --return-address-file <file>  print the lines of this text file (UTF-8) as the return
                                address in the top left corner
  --filter <expression>         only the records for which the xBase expression is true,
                                e.g. "STATE = 'IL'"; deleted records are never printed
  --order <tag>                 print in the order of an index tag, e.g. LNAME or ZIP
  --font <name>                 the address font (default: as kept in ADR.ini, Arial)
  --font-size N                 its size in points, 4 to 72 (default 12)
  --bold                        the address in bold
  --fit                         shrink the font of an address whose lines would not fit
                                the block, so no line is lost (the default)
  --no-fit                      keep the font size; lines that do not fit are left out
  --barcode KIND                a barcode in a corner of the address block, beside the
                                address: qr, code128:FIELD, datamatrix:FIELD or imb,
                                as for labels ("addrina-print labels --help")
  --barcode-corner CORNER       top-left, top-right, bottom-left or bottom-right
                                (default: as kept in ADR.ini, bottom-right)
  -o <out.pdf>                  the PDF file to write (replaced when it exists)
  --printer [QUEUE]             print on a printer's queue instead

The address block's offsets for the size, the font and the fit kept by the program in
ADR.ini apply; so do the feed direction and calibration kept for the printer ("PDF
file" with -o), which turn and move the page as the printer takes envelopes.
Envelopes that lose address lines are counted: the PDF is written all the same, and
a note on standard error says how many and which records; likewise envelopes printed
without their barcode, with the first reason.
Exit status: 0 when the PDF was written or the printer took the job, 1 when a file
could not be read or written or nothing matched, 2 for wrong arguments.
)")};

} // namespace
