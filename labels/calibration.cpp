#include "labels/calibration.h"

#include "platform/settings.h"

#include <QLocale>

namespace {

constexpr double kMillimetresPerInch = 25.4;

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
