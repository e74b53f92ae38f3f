#include "report_support.h"

#include "report/reportstream.h"
#include "report/tcanvasreport.h"
#include "report/treportfiler.h"

#include <QProcess>
#include <QRegularExpression>

void PrintToPdf(PdfRun& run, const std::function<void(TBaseReport&)>& draw,
                const std::function<void(TBaseReport&)>& prepare)
{
    run.path = run.dir.filePath(QStringLiteral("out.pdf"));
    TReportPrinter report;
    report.Printer().SetPrinter(PdfFilePrinterName);
    report.SetTitle(QStringLiteral("Test"));
    if (prepare)
        prepare(report);
    report.Printer().SetPdfFileName(run.path);
    report.OnPrint = draw;
    report.RunReport();
    run.aborted = report.Aborted();
    run.pdf = ReadPdf(run.path);
}

QStringList PdfFonts(const QString& path)
{
    QProcess tool;
    tool.start(QStringLiteral("pdffonts"), {path});
    tool.waitForFinished(60000);
    static const QRegularExpression row(QStringLiteral(R"(^(\S+) .* (yes|no) +(?:yes|no) +(?:yes|no) +\d+ +\d+$)"),
                                        QRegularExpression::MultilineOption);
    QStringList fonts;
    for (auto it = row.globalMatch(QString::fromUtf8(tool.readAllStandardOutput())); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        fonts << m.captured(1) + ' ' + m.captured(2);
    }
    return fonts;
}

namespace {

QString n(double v)
{
    return QString::number(v, 'f', 3);
}

QString rectText(const QRectF& r)
{
    return n(r.left()) + "," + n(r.top()) + "," + n(r.right()) + "," + n(r.bottom());
}

} // namespace

void OperationLog::BeginPage(const ReportPage& page)
{
    lines << "page " + QString::number(page.paper.width()) + "x" + QString::number(page.paper.height());
}

void OperationLog::SetFont(const ReportFont& font)
{
    lines << "font " + font.name + " " + QString::number(font.points) + (font.bold ? " b" : "") +
                 (font.italic ? " i" : "");
}

void OperationLog::SetPen(const ReportPen& pen)
{
    lines << "pen " + pen.colour.name() + " " + QString::number(pen.width);
}

void OperationLog::Text(QPointF baseline, const QString& text)
{
    lines << "text " + n(baseline.x()) + "," + n(baseline.y()) + " " + text;
}

void OperationLog::ClippedText(const QRectF& clip, QPointF topLeft, const QString& text)
{
    lines << "clip " + rectText(clip) + " " + n(topLeft.x()) + "," + n(topLeft.y()) + " " + text;
}

void OperationLog::Fill(const QRectF& rect, const QColor& colour)
{
    lines << "fill " + rectText(rect) + " " + colour.name();
}

void OperationLog::Line(QPointF from, QPointF to)
{
    lines << "line " + n(from.x()) + "," + n(from.y()) + " " + n(to.x()) + "," + n(to.y());
}

void OperationLog::Picture(const QRectF& rect, const QPicture&)
{
    lines << "picture " + rectText(rect);
}

QStringList RecordOperations(const std::function<void(TBaseReport&)>& draw,
                             const std::function<void(TBaseReport&)>& prepare)
{
    QByteArray stream;
    TReportFiler filer;
    filer.Printer().SetPrinter(PdfFilePrinterName);
    filer.Printer().SetPaperSize(1, 0, 0);
    filer.SetStreamMode(smUser);
    filer.SetStream(&stream);
    if (prepare)
        prepare(filer);
    filer.OnPrint = draw;
    filer.RunReport();
    ReportStreamReader reader(stream);
    OperationLog log;
    for (int page = 1; page <= reader.PageCount(); ++page)
        reader.ReplayPage(page, log);
    return log.lines;
}

namespace {

QRegularExpressionMatch textOp(const QStringList& log, const QString& text)
{
    static const QRegularExpression op(QStringLiteral(R"(^text ([-\d.]+),([-\d.]+) (.*)$)"));
    for (const QString& line : log) {
        const QRegularExpressionMatch m = op.match(line);
        if (m.hasMatch() && m.captured(3) == text)
            return m;
    }
    return {};
}

} // namespace

double TextX(const QStringList& log, const QString& text)
{
    const QRegularExpressionMatch m = textOp(log, text);
    return m.hasMatch() ? m.captured(1).toDouble() : -1;
}

double TextY(const QStringList& log, const QString& text)
{
    const QRegularExpressionMatch m = textOp(log, text);
    return m.hasMatch() ? m.captured(2).toDouble() : -1;
}
