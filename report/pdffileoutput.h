#pragma once

#include "report/pdfwriter.h"
#include "report/reportstream.h"

#include <functional>

// What a report printed to a PDF file is drawn on: the standard-font writer while it can
// show everything the run draws, the painter on Qt's PDF engine from the first thing it
// cannot. The painter is then handed the run so far, kept in a report stream for that,
// and draws the rest, so the file shows the same either way.
class PdfFileOutput : public ReportOutput {
public:
    // openPainter begins the painter on the job's file; nullptr when it cannot.
    explicit PdfFileOutput(std::function<ReportOutput*()> openPainter);

    bool Open(const QString& path, const QString& title, const QString& creator, QSizeF paper);
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

    std::function<ReportOutput*()> openPainter_;
    ReportOutput* painter_ = nullptr;
    StandardPdfWriter writer_;
    QByteArray stream_;
    ReportStreamWriter recorder_{stream_};
};
