#include "report/pdffileoutput.h"

#include "report/reporterror.h"

PdfFileOutput::PdfFileOutput(std::function<ReportOutput*()> openPainter) : openPainter_(std::move(openPainter)) {}

bool PdfFileOutput::Open(const QString& path, const QString& title, const QString& creator, QSizeF paper)
{
    return writer_.Open(path, title, creator, paper);
}

bool PdfFileOutput::Close(bool aborted)
{
    if (painter_)
        return true;
    if (aborted) {
        writer_.Discard();
        return true;
    }
    return writer_.Finish();
}

ReportOutput& PdfFileOutput::painter()
{
    if (!painter_) {
        writer_.Discard();
        painter_ = openPainter_();
        if (!painter_)
            throw EReportPrinter(QStringLiteral("Unable to write the PDF file."));
        const ReportStreamReader reader(stream_);
        for (int page = 1; page <= reader.PageCount(); ++page)
            reader.ReplayPage(page, *painter_);
        stream_ = QByteArray();
    }
    return *painter_;
}

void PdfFileOutput::BeginPage(const ReportPage& page)
{
    if (painter_) {
        painter_->BeginPage(page);
        return;
    }
    writer_.BeginPage(page);
    recorder_.BeginPage(page);
}

void PdfFileOutput::SetFont(const ReportFont& font)
{
    if (!painter_ && writer_.SetFont(font))
        recorder_.SetFont(font);
    else
        painter().SetFont(font);
}

void PdfFileOutput::SetPen(const ReportPen& pen)
{
    if (!painter_ && writer_.SetPen(pen))
        recorder_.SetPen(pen);
    else
        painter().SetPen(pen);
}

void PdfFileOutput::Text(QPointF baseline, const QString& text)
{
    if (!painter_ && writer_.Text(baseline, text))
        recorder_.Text(baseline, text);
    else
        painter().Text(baseline, text);
}

void PdfFileOutput::ClippedText(const QRectF& clip, QPointF topLeft, const QString& text)
{
    if (!painter_ && writer_.ClippedText(clip, topLeft, text))
        recorder_.ClippedText(clip, topLeft, text);
    else
        painter().ClippedText(clip, topLeft, text);
}

void PdfFileOutput::Fill(const QRectF& rect, const QColor& colour)
{
    if (!painter_ && writer_.Fill(rect, colour))
        recorder_.Fill(rect, colour);
    else
        painter().Fill(rect, colour);
}

void PdfFileOutput::Line(QPointF from, QPointF to)
{
    if (painter_) {
        painter_->Line(from, to);
        return;
    }
    writer_.Line(from, to);
    recorder_.Line(from, to);
}

void PdfFileOutput::Picture(const QRectF& rect, const QPicture& picture)
{
    painter().Picture(rect, picture);
}
