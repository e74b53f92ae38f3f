#pragma once

#include "report/pdfwriter.h"
#include "report/reportstream.h"

#include <QTemporaryFile>
#include <functional>

// What a report printed to a PDF file is drawn on: the standard-font writer while it can
// show everything the run draws, the painter on Qt's PDF engine from the first thing it
// cannot. The painter is then handed the run so far, kept in a report stream for that,
// and draws the rest, so the file shows the same either way. The stream goes to a
// temporary file in large pieces, so that a long run does not hold it all in memory.
class PdfFileOutput : public ReportOutput {
public:
    // openPainter begins the painter on the job's file; nullptr when it cannot. The stream
    // moves to the temporary file whenever it reaches spillSize bytes.
    explicit PdfFileOutput(std::function<ReportOutput*()> openPainter, qsizetype spillSize = 8 << 20);

    // Starts the file on an open device (not owned); the painter, should it take over,
    // writes the file afresh.
    void Open(QIODevice* file, const QString& title, const QString& creator, QSizeF paper);
    // Completes the file unless aborted; false when the writer could not write it.
    bool Close(bool aborted);
    bool OnPainter() const { return painter_ != nullptr; }

    void BeginPage(const ReportPage& page) override;
    void SetFont(const ReportFont& font) override;
    void SetPen(const ReportPen& pen) override;
    void Text(QPointF baseline, const QString& text) override;
    void ClippedText(const QRectF& clip, QPointF topLeft, const QString& text) override;
    void Fill(const QRectF& rect, const QColor& colour) override;
    void Line(QPointF from, QPointF to) override;
    void Picture(const QRectF& rect, const QPicture& picture) override;

private:
    // The painter, opened and brought up to date on first use.
    ReportOutput& painter();
    // Moves the stream recorded so far to the temporary file once it is large; it stays in
    // memory when the file cannot take it.
    void spill();

    std::function<ReportOutput*()> openPainter_;
    ReportOutput* painter_ = nullptr;
    StandardPdfWriter writer_;
    QByteArray stream_;
    ReportStreamWriter recorder_{stream_};
    qsizetype spillSize_;
    QTemporaryFile spilled_;
    bool spilling_ = true;
};
