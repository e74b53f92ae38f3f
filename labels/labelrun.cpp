#include "labels/labelrun.h"

#include "labels/faceoutput.h"
#include "labels/labelsheet.h"
#include "report/tbasereport.h"

#include <cmath>

namespace {

constexpr double kPointsPerInch = 72;

// How far the canvas's page scale stretches what it draws, across and down.
QSizeF PageScale(const TBaseReport& report)
{
    return QSizeF(report.ScaleX() / 100, report.ScaleY() / 100);
}

// Inches on the paper as the canvas takes them under its page scale.
QPointF Unscaled(QPointF inches, const QSizeF& scale)
{
    return QPointF(inches.x() / scale.width(), inches.y() / scale.height());
}

// A face drawn on the report canvas with its top left corner at origin (the canvas's
// inches): the printer, the preview's recording or a PDF file, whatever the canvas writes to.
class ReportFaceOutput : public FaceOutput {
public:
    ReportFaceOutput(TBaseReport& report, QPointF origin) : report_(report), origin_(origin) {}

    void SetFont(const ReportFont& font) override
    {
        if (report_.Font() == font)
            return;
        report_.SetFont(font.name, font.points);
        report_.SetBold(font.bold);
        report_.SetItalic(font.italic);
        report_.SetUnderline(font.underline);
        report_.SetFontColour(font.colour);
    }
    void Text(const QRectF& clip, QPointF topLeft, const QString& text) override
    {
        const QPointF from = at(clip.topLeft());
        const QPointF to = at(clip.bottomRight());
        const QPointF start = at(topLeft);
        // A pixel more on every side: the clip is rounded to the device's pixels, and a line
        // that fits its box must not pay for a clip, or lose a sliver of its glyphs.
        const QRect clipped = report_.DeviceRect(from.x(), from.y(), to.x(), to.y()).adjusted(-1, -1, 1, 1);
        report_.PrintInRect(clipped, start.x(), start.y(), text);
    }
    void Bars(const std::vector<QRectF>& bars) override
    {
        for (const QRectF& bar : bars) {
            const QPointF from = at(bar.topLeft());
            const QPointF to = at(bar.bottomRight());
            report_.FillRect(from.x(), from.y(), to.x(), to.y(), Qt::black);
        }
    }

private:
    QPointF at(QPointF points) const { return origin_ + points / kPointsPerInch; }

    TBaseReport& report_;
    QPointF origin_;
};

} // namespace

QString PaperQuestion(double width, double height)
{
    return QStringLiteral("Unable to confirm that the paper size was set to\r\n\r\n") + QString::number(width, 'f', 2) +
           QStringLiteral("\" by ") + QString::number(height, 'f', 2) + QStringLiteral("\"\r\n\r\n") +
           QStringLiteral("(you may have the wrong printer selected)\r\n\r\nWould you like to try printing anyways?");
}

QString SetLabelPaper(TBaseReport& report, const LabelTemplate& sheet)
{
    const LabelPaper paper = PaperForLayout(sheet);
    // This driver family refuses custom sizes; the user is asked instead.
    const bool unconfirmed = paper.code == 0 && report.PrinterDriverName().toUpper().contains(QStringLiteral("HPFDJ"));
    if (!unconfirmed)
        report.SetPaperSize(paper.code, paper.portraitWidth, paper.portraitHeight);
    report.SetOrientation(paper.landscape ? poLandScape : poPortrait);
    if (!unconfirmed) {
        double width = TwoDecimals(report.PaperWidth());
        double height = TwoDecimals(report.PaperHeight());
        if (paper.landscape)
            std::swap(width, height);
        // Compared in hundredths, as the values are rounded to them.
        const bool same = std::abs(std::round(width * 100) - std::round(paper.portraitWidth * 100)) <= 5 &&
                          std::abs(std::round(height * 100) - std::round(paper.portraitHeight * 100)) <= 5;
        if (same)
            return {};
    }
    return PaperQuestion(paper.portraitWidth, paper.portraitHeight);
}

void SetFaceStretch(TBaseReport& report, const LabelTemplate& sheet, const PrinterCalibration& calibration)
{
    // A sheet without a pitch or a size of its own prints its faces unstretched.
    const auto stretch = [](double cell, double label) { return cell > 0 && label > 0 ? cell / label : 1.0; };
    report.SetScaleX(100 * stretch(sheet.HorzPitch, sheet.LabelWidth) * calibration.ScaleXPercent / 100);
    report.SetScaleY(100 * stretch(sheet.VertPitch, sheet.LabelHeight) * calibration.ScaleYPercent / 100);
}

void DrawFaceAt(TBaseReport& report, QPointF origin, const FaceLayout& layout)
{
    ReportFaceOutput output(report, Unscaled(origin, PageScale(report)));
    DrawFace(layout, output);
}

void DrawLabelLines(TBaseReport& report, const std::vector<QLineF>& lines)
{
    const QSizeF scale = PageScale(report);
    report.SetPen(Qt::black, Qt::SolidLine, 1);
    for (const QLineF& line : lines) {
        const QPointF from = Unscaled(line.p1(), scale);
        const QPointF to = Unscaled(line.p2(), scale);
        report.MoveTo(from.x(), from.y());
        report.LineTo(to.x(), to.y());
    }
}

LabelTally DrawLabels(TBaseReport& report, LabelFace& face, TTable& table, const LabelTemplate& sheet,
                      const LabelRunOptions& options, const LabelDrawing& drawing)
{
    LabelCanvas canvas;
    canvas.StartNewPage = [&report] { report.StartNewPage(); };
    canvas.DrawFace = [&](const QRectF& cell, const FaceLayout& layout) {
        DrawFaceAt(report, Calibrated(cell, drawing.calibration).topLeft(), layout);
        if (drawing.outline)
            DrawLabelLines(report,
                           OutlineLines(Calibrated(QRectF(cell.topLeft(), QSizeF(sheet.LabelWidth, sheet.LabelHeight)),
                                                   drawing.calibration)));
    };
    canvas.Stopped = drawing.stopped;
    canvas.RecordDone = drawing.recordDone;
    return PrintLabels(face, table, sheet, options, canvas);
}
