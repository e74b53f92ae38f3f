#pragma once
// Printer calibration: many printers place a sheet a little off or stretch it slightly.
// For each printer the user keeps a horizontal and vertical offset in millimetres and a
// horizontal and vertical scale in per cent, kept in "ADR.ini" under the printer's name
// and applied to every label position and size printed on paper (never to the preview).

#include "labels/labellayout.h"

#include <QLineF>
#include <QRectF>
#include <QString>
#include <optional>
#include <vector>

struct PrinterCalibration {
    double OffsetXMillimetres = 0;
    double OffsetYMillimetres = 0;
    double ScaleXPercent = 100;
    double ScaleYPercent = 100;

    bool operator==(const PrinterCalibration&) const = default;
};

inline constexpr double kMaxCalibrationOffset = 10; // millimetres either way
inline constexpr double kMinCalibrationScale = 95;  // per cent
inline constexpr double kMaxCalibrationScale = 105;

// The message for the first value out of range; nothing when all are fine.
std::optional<QString> CheckCalibration(const PrinterCalibration& calibration);

// A rectangle in inches from the paper's corner as the printer must be asked for it:
// scaled about the paper's corner, then moved by the offsets.
QRectF Calibrated(const QRectF& inches, const PrinterCalibration& calibration);

// "[Calibration <printer>]" in the settings file. A missing section, or values out of
// range, read as no correction. Writing throws SettingsWriteError.
PrinterCalibration ReadPrinterCalibration(const QString& printerName);
void WritePrinterCalibration(const QString& printerName, const PrinterCalibration& calibration);

// The four edges of a rectangle, clockwise from the top left corner.
std::vector<QLineF> OutlineLines(const QRectF& rect);

// The calibration sheet of a layout, as lines in inches from the paper's corner, already
// calibrated: each label's outline and a small cross on its top left corner, to measure
// how far the printer puts them from where they belong.
std::vector<QLineF> CalibrationSheetLines(const LabelTemplate& sheet, const PrinterCalibration& calibration);
