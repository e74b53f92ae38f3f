#include "envelopes/envelopeprint.h"

#include "labels/faceoutput.h"
#include "labels/labelrun.h"
#include "report/tbasereport.h"
#include "table/ttable.h"

#include <QLocale>
#include <QPainter>
#include <QPicture>
#include <QStringList>

namespace {

constexpr double kPointsPerInch = 72;
constexpr int kSmallestReturnFont = 6;

FaceStyle BlockStyle(const EnvelopeJob& job, const QRectF& block, int points)
{
    FaceStyle style;
    style.size = block.size();
    style.shape = lsRectangle;
    style.font = QFont(job.options.fontName, points);
    style.font.setBold(job.options.fontBold);
    style.marginTop = style.marginLeft = style.marginBottom = style.marginRight = 0;
    style.adjustFontSizeToFit = job.options.adjustFontSizeToFit;
    return style;
}

struct PlacedFace {
    QRectF block; // inches on the upright envelope
    FaceLayout layout;
};

// An envelope turned on the page: its faces painted into a picture of the whole page,
// turned, which the canvas then stretches over the page.
QPicture TurnedPage(const EnvelopeJob& job, const std::vector<PlacedFace>& faces)
{
    QPicture picture;
    const double dpi = picture.logicalDpiX();
    const QSizeF page = FedPage(job.size, job.quarterTurns);
    {
        QPainter painter(&picture);
        for (const PlacedFace& face : faces) {
            const QTransform toPage =
                QTransform::fromTranslate(face.block.x() * kPointsPerInch, face.block.y() * kPointsPerInch) *
                QTransform::fromScale(1 / kPointsPerInch, 1 / kPointsPerInch) *
                EnvelopeToPage(job.size, job.quarterTurns) * QTransform::fromScale(dpi, dpi);
            PainterFaceOutput output(painter, toPage);
            DrawFace(face.layout, output);
        }
    }
    picture.setBoundingRect(QRect(0, 0, qRound(page.width() * dpi), qRound(page.height() * dpi)));
    return picture;
}

void DrawEnvelope(TBaseReport& report, const EnvelopeJob& job, const std::vector<PlacedFace>& faces)
{
    const PrinterCalibration& c = job.calibration;
    if (job.quarterTurns % 4 == 0) {
        for (const PlacedFace& face : faces)
            DrawFaceAt(report, Calibrated(face.block, c).topLeft(), face.layout);
        return;
    }
    // The canvas stretches the picture by its page scale, which is the calibration's.
    const QSizeF page = FedPage(job.size, job.quarterTurns);
    const QRectF onPaper = Calibrated(QRectF(QPointF(), page), c);
    const double left = onPaper.left() * 100 / report.ScaleX();
    const double top = onPaper.top() * 100 / report.ScaleY();
    report.DrawPicture(report.DeviceRect(left, top, left + page.width(), top + page.height()), TurnedPage(job, faces));
}

} // namespace

FaceStyle EnvelopeFaceStyle(const EnvelopeJob& job)
{
    FaceStyle style = BlockStyle(job, AddressBlock(job.size, job.offsets), job.options.fontSize);
    style.barcode = job.options.barcode;
    if (style.barcode.kind == BarcodeKind::IntelligentMail)
        style.mail = ReadIntelligentMailSettings();
    return style;
}

void SetEnvelopePaper(TBaseReport& report, const EnvelopeJob& job)
{
    const QSizeF page = FedPage(job.size, job.quarterTurns);
    const bool landscape = page.width() > page.height();
    const QSizeF portrait = landscape ? page.transposed() : page;
    report.SetPaperSize(0, portrait.width(), portrait.height());
    report.SetOrientation(landscape ? poLandScape : poPortrait);
    report.SetScaleX(job.calibration.ScaleXPercent);
    report.SetScaleY(job.calibration.ScaleYPercent);
}

QString EnvelopeTally::LostLinesNote() const
{
    QStringList paragraphs;
    if (addresses.ShortLabels() > 0) {
        QStringList records;
        for (long recNo : addresses.ShortRecords())
            records << QString::number(recNo);
        if (addresses.ShortLabels() > static_cast<int>(addresses.ShortRecords().size()))
            records << QStringLiteral("...");
        const QLocale locale;
        paragraphs << QStringLiteral("%1 of %2 envelopes lost address lines that did not fit in the address block "
                                     "(%3 %4).\r\rTo print every line, turn on \"Adjust to Fit\", or choose a "
                                     "smaller font or a larger envelope.")
                          .arg(locale.toString(addresses.ShortLabels()), locale.toString(addresses.Labels()),
                               records.size() == 1 ? QStringLiteral("record") : QStringLiteral("records"),
                               records.join(QStringLiteral(", ")));
    }
    if (returnLost)
        paragraphs << QStringLiteral("The return address lost lines that did not fit in its block in the top left "
                                     "corner: shorten it or choose a smaller font.");
    return paragraphs.join(QStringLiteral("\r\r"));
}

EnvelopeTally DrawEnvelopes(TBaseReport& report, TTable& table, const EnvelopeJob& job,
                            const std::function<bool()>& stopped, const std::function<void()>& recordDone)
{
    EnvelopeTally tally;
    LabelFace address;
    address.style = EnvelopeFaceStyle(job);
    address.SetDataTable(&table);
    std::vector<PlacedFace> faces{{AddressBlock(job.size, job.offsets), {}}};
    if (job.options.printReturnAddress && !job.options.returnAddress.trimmed().isEmpty()) {
        // The sender's lines are set a little smaller than the recipient's.
        const QRectF block = ReturnAddressBlock(job.size);
        LabelFace sender;
        sender.style = BlockStyle(job, block, std::max(kSmallestReturnFont, job.options.fontSize - 2));
        sender.SetLines(job.options.returnAddress.trimmed().split(QLatin1Char('\n')));
        faces.push_back({block, sender.Layout()});
        tally.returnLost = faces.back().layout.count.Lost();
    }
    bool first = true;
    while (!table.Eof() && !(stopped && stopped())) {
        if (!std::exchange(first, false))
            report.StartNewPage();
        address.BuildLines();
        faces.front().layout = address.Layout();
        DrawEnvelope(report, job, faces);
        tally.addresses.Add(table.CurrentRecNo(), faces.front().layout.count);
        if (!faces.front().layout.barcodeRefusal.isEmpty())
            tally.addresses.RefuseBarcode(table.CurrentRecNo(), faces.front().layout.barcodeRefusal);
        table.Next();
        if (recordDone)
            recordDone();
    }
    return tally;
}
