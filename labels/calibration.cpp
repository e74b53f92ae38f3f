#include "labels/calibration.h"

#include "labels/labelsheet.h"
#include "platform/settings.h"

#include <QLocale>

namespace {

QString Section(const QString& printerName)
{
    return QStringLiteral("Calibration ") + printerName;
}

struct Key {
    const char* name;
    double PrinterCalibration::*value;
};

const Key kKeys[] = {
    {"OffsetX", &PrinterCalibration::OffsetXMillimetres},
    {"OffsetY", &PrinterCalibration::OffsetYMillimetres},
    {"ScaleX", &PrinterCalibration::ScaleXPercent},
    {"ScaleY", &PrinterCalibration::ScaleYPercent},
};

} // namespace

std::optional<QString> CheckCalibration(const PrinterCalibration& c)
{
    const auto offsetOk = [](double mm) { return mm >= -kMaxCalibrationOffset && mm <= kMaxCalibrationOffset; };
    const auto scaleOk = [](double pct) { return pct >= kMinCalibrationScale && pct <= kMaxCalibrationScale; };
    if (!offsetOk(c.OffsetXMillimetres) || !offsetOk(c.OffsetYMillimetres))
        return QStringLiteral("Offsets must lie between -10 and 10 mm");
    if (!scaleOk(c.ScaleXPercent) || !scaleOk(c.ScaleYPercent))
        return QStringLiteral("Scales must lie between 95 and 105 %");
    return std::nullopt;
}

QRectF Calibrated(const QRectF& r, const PrinterCalibration& c)
{
    const double sx = c.ScaleXPercent / 100;
    const double sy = c.ScaleYPercent / 100;
    return QRectF(r.x() * sx + c.OffsetXMillimetres / kMillimetresPerInch,
                  r.y() * sy + c.OffsetYMillimetres / kMillimetresPerInch, r.width() * sx, r.height() * sy);
}

PrinterCalibration ReadPrinterCalibration(const QString& printerName)
{
    PrinterCalibration c;
    for (const Key& key : kKeys) {
        bool ok = false;
        const double value =
            QLocale::c().toDouble(ReadSettingString(Section(printerName), QLatin1StringView(key.name)), &ok);
        if (ok)
            c.*key.value = value;
    }
    return CheckCalibration(c) ? PrinterCalibration() : c;
}

void WritePrinterCalibration(const QString& printerName, const PrinterCalibration& c)
{
    for (const Key& key : kKeys)
        WriteSettingString(Section(printerName), QLatin1StringView(key.name), QString::number(c.*key.value, 'g', 10));
}

std::vector<QLineF> OutlineLines(const QRectF& r)
{
    return {QLineF(r.topLeft(), r.topRight()), QLineF(r.topRight(), r.bottomRight()),
            QLineF(r.bottomRight(), r.bottomLeft()), QLineF(r.bottomLeft(), r.topLeft())};
}

std::vector<QLineF> CalibrationSheetLines(const LabelTemplate& sheet, const PrinterCalibration& calibration)
{
    constexpr double kCrossArm = 0.1;
    std::vector<QLineF> lines;
    for (const auto [row, col] : SheetPositions(sheet)) {
        const QRectF label = Calibrated(
            QRectF(LabelCell(sheet, row, col).topLeft(), QSizeF(sheet.LabelWidth, sheet.LabelHeight)), calibration);
        const std::vector<QLineF> outline = OutlineLines(label);
        lines.insert(lines.end(), outline.begin(), outline.end());
        const QPointF corner = label.topLeft();
        lines.push_back(QLineF(corner - QPointF(kCrossArm, 0), corner + QPointF(kCrossArm, 0)));
        lines.push_back(QLineF(corner - QPointF(0, kCrossArm), corner + QPointF(0, kCrossArm)));
    }
    return lines;
}
