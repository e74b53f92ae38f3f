#include "labels/labelrun.h"

#include "labels/labelsheet.h"
#include "report/tbasereport.h"

#include <cmath>

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

void DrawLabelLines(TBaseReport& report, const std::vector<QLineF>& lines)
{
    report.SetPen(Qt::black, Qt::SolidLine, 1);
    for (const QLineF& line : lines) {
        report.MoveTo(line.x1(), line.y1());
        report.LineTo(line.x2(), line.y2());
    }
}

LabelTally DrawLabels(TBaseReport& report, TZintLabelPanel& face, TTable& table, const LabelTemplate& sheet,
                      const LabelRunOptions& options, const LabelDrawing& drawing)
{
    LabelCanvas canvas;
    canvas.StartNewPage = [&report] { report.StartNewPage(); };
    canvas.DrawFace = [&](const QRectF& cell, const QPicture& picture) {
        const QRectF at = Calibrated(cell, drawing.calibration);
        report.DrawPicture(report.DeviceRect(at.left(), at.top(), at.right(), at.bottom()), picture);
        if (drawing.outline)
            DrawLabelLines(report,
                           OutlineLines(Calibrated(QRectF(cell.topLeft(), QSizeF(sheet.LabelWidth, sheet.LabelHeight)),
                                                   drawing.calibration)));
    };
    canvas.Stopped = drawing.stopped;
    canvas.RecordDone = drawing.recordDone;
    return PrintLabels(face, table, sheet, options, canvas);
}
