// Reads arbitrary bytes as a report stream and replays every page into an output that
// only counts: any input must end in pages or in the canvas's own refusal.
#include "report/reporterror.h"
#include "report/reportstream.h"

#include <QByteArray>
#include <cstddef>
#include <cstdint>

namespace {

class CountingOutput : public ReportOutput {
public:
    void BeginPage(const ReportPage&) override { ++operations; }
    void SetFont(const ReportFont&) override { ++operations; }
    void SetPen(const ReportPen&) override { ++operations; }
    void Text(QPointF, const QString& text) override { operations += text.size(); }
    void ClippedText(const QRectF&, QPointF, const QString& text) override { operations += text.size(); }
    void Fill(const QRectF&, const QColor&) override { ++operations; }
    void Line(QPointF, QPointF) override { ++operations; }
    void Picture(const QRectF&, const QPicture&) override { ++operations; }
    qsizetype operations = 0;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray stream = QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
    try {
        ReportStreamReader reader(stream);
        CountingOutput output;
        for (int page = 1; page <= reader.PageCount(); ++page)
            reader.ReplayPage(page, output);
    } catch (const EReportPrinter&) {
    }
    return 0;
}
