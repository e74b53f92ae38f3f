#include "tools/addrina_print_command.h"

#include "labels/labelcatalog.h"
#include "platform/cupsqueue.h"
#include "platform/programdirectory.h"
#include "report/tcanvasreport.h"
#include "select/filterexpression.h"
#include "session/addresssession.h"
#include "table/tableerror.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <cstdio>

namespace addrinaprint {

namespace {

// How the engine refuses a file that another program holds in exclusive use, as the
// program does its open address file: told apart from a file that is no address file.
const QString kInUse = QStringLiteral(" is in use by another program");

} // namespace

ParsedArgs ParseArgs(const QStringList& args, OptionSpec spec)
{
    spec.valued << QStringLiteral("-o");
    ParsedArgs parsed;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& arg = args[i];
        if (arg == QLatin1String("--printer")) {
            const bool named = i + 1 < args.size() && !args[i + 1].startsWith(QLatin1Char('-'));
            parsed.values[arg] = named ? args[++i] : QString();
        } else if (spec.valued.contains(arg)) {
            if (i + 1 >= args.size())
                throw UsageError(arg + QStringLiteral(" needs a value"));
            parsed.values[arg] = args[++i];
        } else if (spec.switches.contains(arg)) {
            parsed.switches.insert(arg);
        } else if (arg.startsWith(QLatin1Char('-')) && arg.size() > 1) {
            throw UsageError(QStringLiteral("unknown option ") + arg);
        } else {
            parsed.positional << arg;
        }
    }
    if (parsed.positional.size() != spec.positional)
        throw UsageError(QStringLiteral("expected %1 arguments before the options, got %2")
                             .arg(spec.positional)
                             .arg(parsed.positional.size()));
    if (parsed.ToPrinter() && parsed.Has(QStringLiteral("-o")))
        throw UsageError(QStringLiteral("give either -o or --printer"));
    if (!parsed.ToPrinter() && parsed.Output().isEmpty())
        throw UsageError(QStringLiteral("-o <out.pdf> or --printer [QUEUE] is required"));
    return parsed;
}

OutputPrinter::OutputPrinter(const ParsedArgs& parsed) : name_(PdfFilePrinterName), file_(parsed.Output())
{
    if (!parsed.ToPrinter())
        return;
    const QStringList queues = CupsQueueNames();
    name_ = parsed.Queue().isEmpty() ? CupsDefaultQueue() : parsed.Queue();
    if (name_.isEmpty())
        throw Failure(QStringLiteral("the system names no default printer; give --printer QUEUE"));
    if (!queues.contains(name_))
        throw Failure(QStringLiteral("no printer \"%1\"; the printers are: %2")
                          .arg(name_, queues.isEmpty() ? QStringLiteral("none") : queues.join(QStringLiteral(", "))));
}

void OutputPrinter::ApplyTo(PrinterSetup& setup) const
{
    setup.SetPrinter(name_);
    if (setup.IsPdfFile())
        setup.SetPdfFileName(file_);
}

QString OutputPrinter::Describe() const
{
    return name_ == PdfFilePrinterName ? file_ : QStringLiteral("printer ") + name_;
}

QString CataloguePath()
{
    const QString shipped = ShippedCatalogue(QCoreApplication::applicationDirPath());
    return QFile::exists(::CatalogPath()) || shipped.isEmpty() ? ::CatalogPath() : shipped;
}

void OpenAddressFile(AddressSession& session, const QString& path)
{
    if (!QFileInfo::exists(path))
        throw Failure(QStringLiteral("no such file: ") + path);
    bool opened = false;
    try {
        opened = session.OpenAddressFile(path, true);
    } catch (const TableError& e) {
        throw Failure(QStringLiteral("cannot open ") + path + QStringLiteral(": ") + e.Message());
    }
    if (!opened && EngineError().endsWith(kInUse))
        throw Failure(path + kInUse +
                      QStringLiteral(", most likely by Addrina itself: close it in Addrina (open another address "
                                     "file there, or quit Addrina), then run addrina-print again"));
    if (!opened)
        throw Failure(QStringLiteral("cannot open ") + path + QStringLiteral(" as an address file"));
}

void ApplyFilterArgument(AddressSession& session, const QString& expression)
{
    try {
        // Bracketed: a typed expression may hold an .or. of its own.
        session.Apollo1.Query(
            activeQueryFor(expression.isEmpty() ? QString() : QStringLiteral("(") + expression + QStringLiteral(")")));
    } catch (const TableError&) {
        throw UsageError(QStringLiteral("invalid filter expression: ") + expression);
    }
}

void ApplyOrderArgument(AddressSession& session, const QString& tag)
{
    if (tag.isEmpty())
        return;
    const int order = session.Apollo1.TagArea(tag);
    if (order == 0)
        throw UsageError(QStringLiteral("the address file has no tag \"%1\"").arg(tag));
    session.Apollo1.SetOrder(order);
}

void ApplyBarcodeArguments(const ParsedArgs& parsed, BarcodeChoice& barcode)
{
    try {
        if (parsed.Has(QStringLiteral("--barcode")))
            barcode = ParseBarcodeOption(parsed.Value(QStringLiteral("--barcode")));
        if (parsed.Has(QStringLiteral("--barcode-corner")))
            barcode.corner = ParseBarcodeCorner(parsed.Value(QStringLiteral("--barcode-corner")));
    } catch (const BarcodeError& e) {
        throw UsageError(e.Message());
    }
}

void PrintRunNotes(const QString& lostLines, const QString& barcodes)
{
    const auto print = [](QString note) {
        if (!note.isEmpty())
            std::fprintf(stderr, "addrina-print: %s\n",
                         qUtf8Printable(note.replace(QStringLiteral("\r\r"), QStringLiteral("\n"))));
    };
    print(lostLines.isEmpty() ? lostLines
                              : lostLines + QStringLiteral("\n--fit turns \"Adjust to Fit\" on for this run."));
    print(barcodes);
}

void RunReportTo(TReportPrinter& report, const OutputPrinter& destination)
{
    report.RunReport();
    if (report.Aborted())
        throw Failure(report.Failure().isEmpty() ? QStringLiteral("cannot write \"%1\"").arg(destination.Describe())
                                                 : report.Failure());
}

Registry& Registry::Instance()
{
    static Registry registry;
    return registry;
}

const Command* Registry::Find(const QString& name) const
{
    const auto it = commands_.find(name);
    return it == commands_.end() ? nullptr : &it->second;
}

Registrar::Registrar(const QString& name, const QString& usage, CommandFn run, const QString& help)
{
    Registry::Instance().Add(name, Command{usage, std::move(run), help});
}

} // namespace addrinaprint
