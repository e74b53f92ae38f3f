#include "report/pdffileoutput.h"

#include "report/reporterror.h"

#include <utility>

PdfFileOutput::PdfFileOutput(std::function<ReportOutput*()> openPainter, qsizetype spillSize)
    : openPainter_(std::move(openPainter)), spillSize_(spillSize)
{}

void PdfFileOutput::Open(QIODevice* file, const QString& title, const QString& creator, QSizeF paper)
{
    writer_.Open(file, title, creator, paper);
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
        QByteArray recorded = std::exchange(stream_, QByteArray());
        if (spilled_.size() > 0) {
            const qint64 size = spilled_.size() + recorded.size();
            const uchar* mapped =
                spilled_.write(recorded) == recorded.size() && spilled_.flush() ? spilled_.map(0, size) : nullptr;
            recorded = mapped ? QByteArray::fromRawData(reinterpret_cast<const char*>(mapped), size) : QByteArray();
        }
        if (!painter_ || recorded.isEmpty())
            throw EReportPrinter(QStringLiteral("Unable to write the PDF file."));
        const ReportStreamReader reader(recorded);
        for (int page = 1; page <= reader.PageCount(); ++page)
            reader.ReplayPage(page, *painter_);
        spilled_.close();
    }
    return *painter_;
}

void PdfFileOutput::spill()
{
    if (!spilling_ || stream_.size() < spillSize_)
        return;
    const qint64 before = spilled_.size();
    spilling_ = (spilled_.isOpen() || spilled_.open()) && spilled_.write(stream_) == stream_.size();
    if (spilling_)
        stream_.resize(0);
    else if (spilled_.isOpen())
        spilled_.resize(before);
}

void PdfFileOutput::BeginPage(const ReportPage& page)
{
    if (painter_) {
        painter_->BeginPage(page);
        return;
    }
    spill();
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
