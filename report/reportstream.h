#pragma once

#include "report/reportoutput.h"

#include <QByteArray>
#include <optional>
#include <vector>

// The report stream: the pages of a run as the canvas output them, kept in memory for
// the preview. It starts with "ADRS" and a 16-bit version; then records, each a one-byte
// code, a 32-bit payload length and the payload. Numbers are little-endian, lengths in
// inches as 64-bit reals, texts as a 32-bit count of UTF-16 units and the units. Every
// page starts with a page record followed by its font and pen, so a page replays alone.

// Records output into a stream (which it empties first).
class ReportStreamWriter : public ReportOutput {
public:
    explicit ReportStreamWriter(QByteArray& stream);

    void BeginPage(const ReportPage& page) override;
    void SetFont(const ReportFont& font) override;
    void SetPen(const ReportPen& pen) override;
    void Text(QPointF baseline, const QString& text) override;
    void ClippedText(const QRectF& clip, QPointF topLeft, const QString& text) override;
    void Fill(const QRectF& rect, const QColor& colour) override;
    void Line(QPointF from, QPointF to) override;
    void Picture(const QRectF& rect, const QPicture& picture) override;

private:
    QByteArray& stream_;
    std::optional<ReportFont> font_;
    std::optional<ReportPen> pen_;
};

// Reads a stream back. Opening finds where each page starts; a page is decoded only when
// it is replayed. Anything it cannot read (a wrong header, an unknown record code, a
// record cut short or with a payload that does not fit) throws EReportPrinter with
// "Unexpected code found in report file.".
class ReportStreamReader {
public:
    explicit ReportStreamReader(const QByteArray& stream);

    int PageCount() const { return static_cast<int>(pages_.size()); }
    // The page's paper and scale (page from 1).
    ReportPage Page(int page) const;
    void ReplayPage(int page, ReportOutput& output) const;

private:
    const QByteArray& stream_;
    struct PageStart {
        qsizetype offset; // of the page record
        ReportPage page;
    };
    std::vector<PageStart> pages_;
};
