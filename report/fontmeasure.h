#pragma once

#include "report/reportoutput.h"

#include <QFont>
#include <QFontMetricsF>
#include <QString>

// The Qt font for a report font at its point size. Hinting is off, so text measures the
// same on the printer, in a PDF and in the preview.
QFont ToQFont(const ReportFont& font);

// Lengths of a font in inches, measured once at a fine resolution, so that where the
// canvas places text does not depend on the device it goes to.
class FontMeasure {
public:
    explicit FontMeasure(const ReportFont& font);

    double Width(const QString& text) const;
    double Ascent() const { return ascent_; }
    double Descent() const { return descent_; }

private:
    QFontMetricsF metrics_;
    double ascent_;
    double descent_;
};
