// addrina-print report: one of the four built-in reports of an address file, to PDF.
#include "platform/identity.h"
#include "platform/printers.h"
#include "report/builtinreports.h"
#include "report/reportrecords.h"
#include "report/tcanvasreport.h"
#include "session/addresssession.h"
#include "tools/addrina_print_command.h"

#include <cstdio>

namespace {

int RunReport(const QStringList& args)
{
    using namespace addrinaprint;
    const ParsedArgs parsed =
        ParseArgs(args, OptionSpec{2,
                                   {QStringLiteral("--filter"), QStringLiteral("--title")},
                                   {QStringLiteral("--codes"), QStringLiteral("--one-per-page")}});
    bool isNumber = false;
    BuiltInReportOptions options;
    options.report = parsed.positional[0].toInt(&isNumber);
    if (!isNumber || options.report < 1 || options.report > 4)
        throw UsageError(QStringLiteral("the report is 1, 2, 3 or 4, not ") + parsed.positional[0]);
    options.title = parsed.Has(QStringLiteral("--title")) ? parsed.Value(QStringLiteral("--title"))
                                                          : QStringLiteral("Report %1").arg(options.report);
    options.printCodes = parsed.Has(QStringLiteral("--codes"));
    options.onePerPage = parsed.Has(QStringLiteral("--one-per-page"));

    AddressSession session;
    OpenAddressFile(session, parsed.positional[1]);
    // Without a filter the report's own choice of records is the only query.
    const bool filtered = parsed.Has(QStringLiteral("--filter"));
    if (filtered)
        ApplyFilterArgument(session, parsed.Value(QStringLiteral("--filter")));
    PositionReportRecords(session.Apollo1, session.TableBook, options.report,
                          filtered ? RunChoice::Filter : RunChoice::All, false, 0);

    const OutputPrinter destination(parsed);
    TReportPrinter printer;
    // On the queue's own paper; for a PDF file, the user's.
    destination.ApplyTo(printer.Printer());
    printer.SetTitle(ProductName());
    TableRecords records(session.TableBook);
    printer.OnPrint = [&](TBaseReport& r) { PrintBuiltInReport(r, records, options); };
    printer.RunReport();
    if (printer.Aborted())
        throw Failure(printer.Failure().isEmpty() ? QStringLiteral("could not write ") + destination.Describe()
                                                  : printer.Failure());
    std::printf("%s: %d pages\n", qPrintable(destination.Describe()), printer.CurrentPage());
    return 0;
}

const addrinaprint::Registrar registrar{
    QStringLiteral("report"),
    QStringLiteral("<1-4> <address file> [--filter <expression>] [--codes] [--title <text>] [--one-per-page] "
                   "(-o <out.pdf> | --printer [QUEUE])"),
    RunReport};

} // namespace
