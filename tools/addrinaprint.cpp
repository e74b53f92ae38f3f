// addrina-print: prints mailing labels to a PDF file without opening a window, with the
// same label face, sheet geometry and report canvas as the program's own printing.
// It opens the address file read-only and never writes to it.

#include "labels/calibration.h"
#include "labels/gzintpanel.h"
#include "labels/labelcatalog.h"
#include "labels/printlbl.h"
#include "labels/tzintlabelfile.h"
#include "platform/identity.h"
#include "platform/printers.h"
#include "platform/programdirectory.h"
#include "report/tcanvasreport.h"
#include "table/opentablefile.h"
#include "table/tapollo.h"
#include "table/tapolloenv.h"
#include "table/tdatasource.h"
#include "table/ttable.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QFile>
#include <cstdio>

namespace {

constexpr int kBadArguments = 2;
constexpr int kFailed = 1;

const char* const kHelp = R"(Usage: addrina-print labels <address file> (--setup <file.lbl> | --template <name>)
                     [--filter <expression>] [--order <tag>] [--copies N] [--skip N]
                     [--outline] -o <out.pdf>

Prints one mailing label for each record of an address file (a .DBF file) into a PDF
file, laid out on the sheet of a saved label setup or of a catalogue template.

  labels <address file>   the address file to print from; it is only read
  --setup <file.lbl>      a label setup saved by the program (sheet, font, address format)
  --template <name>       a sheet from the template catalogue, e.g. 5160, with the
                          default face (Arial 10, every address part but the phone)
  --filter <expression>   only the records for which the xBase expression is true,
                          e.g. "STATE = 'IL'"; deleted records are never printed
  --order <tag>           print in the order of an index tag, e.g. LNAME or ZIP;
                          natural record order without it
  --copies N              labels per record, 1 to 99 (default 1)
  --skip N                leave the first N positions of the first sheet empty, for a
                          part-used sheet (default 0)
  --outline               draw each label's outline, to check the layout on plain paper
  --calibration-sheet     print one sheet of label outlines, with a small cross on each
                          label's top left corner, instead of addresses: print it, lay
                          it on a label sheet and measure how far the printer is off
  -o <out.pdf>            the PDF file to write (replaced when it exists)
  -h, --help              this text

The calibration the program keeps for the printer "PDF file" (offsets in mm, scales
in per cent, in ADR.ini) moves and scales every label, as it does on paper.

Exit status: 0 when the PDF was written, 1 when a file could not be read or written or
nothing matched, 2 for wrong arguments.
)";

int Fail(int status, const QString& message)
{
    std::fprintf(stderr, "addrina-print: %s\n", qPrintable(message));
    return status;
}

// Saves the job where -o says, without asking.
class FixedPdfFile : public PrinterDialogs {
public:
    QString ChoosePdfFile(const QString& proposedPath) override { return proposedPath; }
    bool PrintDialog(PrinterSetup&, int&, int&) override { return true; }
    bool PrinterSetupDialog(PrinterSetup&) override { return true; }
};

class LabelReport : public TReportPrinter {};

bool ParseCount(const QString& text, int low, int high, int* value)
{
    bool ok = false;
    *value = text.toInt(&ok);
    return ok && *value >= low && *value <= high;
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    // The same name as the program, so that both find the same settings file.
    QApplication::setApplicationName(ProductName());
    const QStringList args = app.arguments();
    if (args.contains(QStringLiteral("-h")) || args.contains(QStringLiteral("--help"))) {
        std::fputs(kHelp, stdout);
        return 0;
    }
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption setupOption(QStringLiteral("setup"), {}, QStringLiteral("file"));
    const QCommandLineOption templateOption(QStringLiteral("template"), {}, QStringLiteral("name"));
    const QCommandLineOption filterOption(QStringLiteral("filter"), {}, QStringLiteral("expression"));
    const QCommandLineOption orderOption(QStringLiteral("order"), {}, QStringLiteral("tag"));
    const QCommandLineOption copiesOption(QStringLiteral("copies"), {}, QStringLiteral("N"), QStringLiteral("1"));
    const QCommandLineOption skipOption(QStringLiteral("skip"), {}, QStringLiteral("N"), QStringLiteral("0"));
    const QCommandLineOption outlineOption(QStringLiteral("outline"));
    const QCommandLineOption calibrationOption(QStringLiteral("calibration-sheet"));
    const QCommandLineOption outOption(QStringLiteral("o"), {}, QStringLiteral("out.pdf"));
    parser.addOptions({setupOption, templateOption, filterOption, orderOption, copiesOption, skipOption,
                       outlineOption, calibrationOption, outOption});
    if (!parser.parse(args))
        return Fail(kBadArguments, parser.errorText() + QStringLiteral(" (see --help)"));
    const QStringList positional = parser.positionalArguments();
    if (positional.size() != 2 || positional[0] != QLatin1StringView("labels"))
        return Fail(kBadArguments, QStringLiteral("expected: labels <address file> (see --help)"));
    if (parser.isSet(setupOption) == parser.isSet(templateOption))
        return Fail(kBadArguments, QStringLiteral("give either --setup or --template"));
    if (!parser.isSet(outOption))
        return Fail(kBadArguments, QStringLiteral("give the PDF file to write with -o"));
    LabelRunOptions run;
    if (!ParseCount(parser.value(copiesOption), 1, 99, &run.copies))
        return Fail(kBadArguments, QStringLiteral("--copies takes a number from 1 to 99"));
    if (!ParseCount(parser.value(skipOption), 0, kMaxLabelPositions - 1, &run.skipFirst))
        return Fail(kBadArguments, QStringLiteral("--skip takes a number from 0 to 199"));

    TZintLabelFile setup;
    if (parser.isSet(setupOption)) {
        if (!setup.LoadFromFile(parser.value(setupOption)))
            return Fail(kFailed, QStringLiteral("cannot read the label setup \"%1\"").arg(parser.value(setupOption)));
    } else {
        // The user's own catalogue first, as the program reads it, else the one installed.
        const QString shipped = ShippedCatalogue(QCoreApplication::applicationDirPath());
        const QString catalog = QFile::exists(CatalogPath()) || shipped.isEmpty() ? CatalogPath() : shipped;
        if (!setup.LoadTemplate(catalog, parser.value(templateOption), false))
            return Fail(kFailed, QStringLiteral("no template \"%1\" in %2").arg(parser.value(templateOption), catalog));
    }
    if (run.skipFirst >= setup.Across * setup.Down && setup.Across * setup.Down > 0)
        return Fail(kBadArguments, QStringLiteral("--skip leaves no position of the sheet"));

    TApolloEnv env;
    env.SetDeleted(true);
    TTable table;
    table.SetReadOnly(true);
    TDataSource source;
    source.SetDataSet(&table);
    TApollo apollo;
    apollo.SetDataSource(&source);
    const QString addressFile = positional[1];
    if (!QFile::exists(addressFile) || !OpenTableFile(addressFile, table))
        return Fail(kFailed, QStringLiteral("cannot open the address file \"%1\"").arg(addressFile));
    try {
        if (parser.isSet(orderOption)) {
            const int order = apollo.TagArea(parser.value(orderOption));
            if (order == 0)
                return Fail(kBadArguments, QStringLiteral("the address file has no tag \"%1\"").arg(parser.value(orderOption)));
            apollo.SetOrder(order);
        }
        const QString filter = parser.value(filterOption).trimmed();
        const QString query = filter.isEmpty() ? QStringLiteral("!ISDEL")
                                               : QStringLiteral("(%1) .and. !ISDEL").arg(filter);
        if (apollo.QueryTest(query) == 0 || apollo.Query(query) < 0)
            return Fail(kBadArguments, QStringLiteral("the filter \"%1\" is not a valid expression").arg(filter));
        if (apollo.QueryRecCount() == 0)
            return Fail(kFailed, QStringLiteral("no record matches"));
        table.First();
    } catch (const TableError& e) {
        return Fail(kFailed, e.Message());
    }

    TZintLabelPanel face;
    setup.ApplyToPanel(face);
    face.SetDataTable(&table);
    face.SetPrinting(true);

    FixedPdfFile pdfDialogs;
    SetPrinterDialogs(&pdfDialogs);
    LabelReport report;
    report.SetTitle(QStringLiteral("Addrina labels"));
    report.Printer().SetPrinter(PdfFilePrinterName);
    report.Printer().SetPdfFileName(parser.value(outOption));
    const LabelPaper paper = PaperForLayout(setup);
    report.SetPaperSize(paper.code, paper.portraitWidth, paper.portraitHeight);
    report.SetOrientation(paper.landscape ? poLandScape : poPortrait);
    const bool outline = parser.isSet(outlineOption);
    const PrinterCalibration calibration = ReadPrinterCalibration(PdfFilePrinterName);
    const auto drawLines = [](TBaseReport& r, const std::vector<QLineF>& lines) {
        r.SetPen(Qt::black, Qt::SolidLine, 1);
        for (const QLineF& line : lines) {
            r.MoveTo(line.x1(), line.y1());
            r.LineTo(line.x2(), line.y2());
        }
    };
    int labels = 0;
    report.OnPrint = [&](TBaseReport& r) {
        if (parser.isSet(calibrationOption)) {
            drawLines(r, CalibrationSheetLines(setup, calibration));
            return;
        }
        LabelCanvas canvas;
        canvas.StartNewPage = [&r] { r.StartNewPage(); };
        canvas.DrawFace = [&](const QRectF& cell, const QPicture& picture) {
            const QRectF at = Calibrated(cell, calibration);
            r.DrawPicture(r.DeviceRect(at.left(), at.top(), at.right(), at.bottom()), picture);
            if (outline) {
                const QRectF label = Calibrated(QRectF(cell.topLeft(), QSizeF(setup.LabelWidth, setup.LabelHeight)),
                                                calibration);
                drawLines(r, OutlineLines(label));
            }
        };
        labels = PrintLabels(face, table, setup, run, canvas);
    };
    report.RunReport();
    SetPrinterDialogs(nullptr);
    if (report.Aborted())
        return Fail(kFailed, QStringLiteral("cannot write \"%1\"").arg(parser.value(outOption)));
    std::printf("%d labels\n", labels);
    return 0;
}
