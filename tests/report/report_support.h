#pragma once

#include "report/reportoutput.h"
#include "report/tbasereport.h"
#include "support/pdf_readback.h"

#include <QPicture>
#include <QRegularExpression>
#include <QStringList>
#include <QTemporaryDir>
#include <functional>

// Runs a drawing handler on a report printer to "PDF file" in a temporary folder and reads
// the PDF back. prepare configures the report before the run.
struct PdfRun {
    QTemporaryDir dir;
    QString path;
    PdfReadBack pdf;
    bool aborted = false;
};
void PrintToPdf(PdfRun& run, const std::function<void(TBaseReport&)>& draw,
                const std::function<void(TBaseReport&)>& prepare = {});

// The fonts of a PDF as pdffonts lists them, each as its name and whether it is embedded:
// "Helvetica no", "ABCDEF+LiberationSans yes".
QStringList PdfFonts(const QString& path);

// An output that writes each operation as a line of text, for checking where the canvas
// put things: "page 8.5x11", "font Arial 9 b", "text 1.000,2.000 hello", "clip ...",
// "fill l,t,r,b #rrggbb", "line x,y x,y", "picture l,t,r,b".
class OperationLog : public ReportOutput {
public:
    QStringList lines;

    void BeginPage(const ReportPage& page) override;
    void SetFont(const ReportFont& font) override;
    void SetPen(const ReportPen& pen) override;
    void Text(QPointF baseline, const QString& text) override;
    void ClippedText(const QRectF& clip, QPointF topLeft, const QString& text) override;
    void Fill(const QRectF& rect, const QColor& colour) override;
    void Line(QPointF from, QPointF to) override;
    void Picture(const QRectF& rect, const QPicture& picture) override;

    // The lines that start with the prefix.
    QStringList With(const QString& prefix) const { return lines.filter(QRegularExpression("^" + prefix)); }
};

// Records a drawing handler with a report filer and replays the stream into a log.
QStringList RecordOperations(const std::function<void(TBaseReport&)>& draw,
                             const std::function<void(TBaseReport&)>& prepare = {});

// The x of the text operation that printed these words ("text X,Y words"), or -1.
double TextX(const QStringList& log, const QString& text);
double TextY(const QStringList& log, const QString& text);
