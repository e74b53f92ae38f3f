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
    if (painter_)
        return painter_->BeginPage(page);
    writer_.BeginPage(page);
    recorder_.BeginPage(page);
}

void PdfFileOutput::SetFont(const ReportFont& font)
{
    if (!painter_ && writer_.SetFont(font))
        return recorder_.SetFont(font);
    painter().SetFont(font);
}

void PdfFileOutput::SetPen(const ReportPen& pen)
{
    if (!painter_ && writer_.SetPen(pen))
        return recorder_.SetPen(pen);
    painter().SetPen(pen);
}

void PdfFileOutput::Text(QPointF baseline, const QString& text)
{
    if (!painter_ && writer_.Text(baseline, text))
        return recorder_.Text(baseline, text);
    painter().Text(baseline, text);
}

void PdfFileOutput::ClippedText(const QRectF& clip, QPointF topLeft, const QString& text)
{
    if (!painter_ && writer_.ClippedText(clip, topLeft, text))
        return recorder_.ClippedText(clip, topLeft, text);
    painter().ClippedText(clip, topLeft, text);
}

void PdfFileOutput::Fill(const QRectF& rect, const QColor& colour)
{
    if (!painter_ && writer_.Fill(rect, colour))
        return recorder_.Fill(rect, colour);
    painter().Fill(rect, colour);
}

void PdfFileOutput::Line(QPointF from, QPointF to)
{
    if (painter_)
        return painter_->Line(from, to);
    writer_.Line(from, to);
    recorder_.Line(from, to);
}

void PdfFileOutput::Picture(const QRectF& rect, const QPicture& picture)
{
    painter().Picture(rect, picture);
}
