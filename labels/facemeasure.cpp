#include "labels/facemeasure.h"

#include <cmath>
#include <limits>

namespace {

constexpr double kPointsPerInch = 72;
constexpr char16_t kLatin1End = 0x100;

} // namespace

FaceMeasure::FaceMeasure(const ReportFont& font) : measure_(font)
{
    advances_.fill(std::numeric_limits<double>::quiet_NaN());
}

double FaceMeasure::LineHeight() const
{
    return (measure_.Ascent() + measure_.Descent()) * kPointsPerInch;
}

double FaceMeasure::advance(char16_t c)
{
    double& known = advances_[c];
    if (std::isnan(known))
        known = measure_.Width(QString(QChar(c))) * kPointsPerInch;
    return known;
}

double FaceMeasure::kerning(char16_t first, char16_t second)
{
    if (kerning_.empty())
        kerning_.assign(std::size_t{kLatin1End} * kLatin1End, std::numeric_limits<float>::quiet_NaN());
    float& known = kerning_[std::size_t{first} * kLatin1End + second];
    if (std::isnan(known)) {
        const QChar pair[] = {QChar(first), QChar(second)};
        known =
            static_cast<float>(measure_.Width(QString(pair, 2)) * kPointsPerInch - advance(first) - advance(second));
    }
    return known;
}

double FaceMeasure::Width(const QString& text)
{
    double width = 0;
    char16_t previous = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (c >= kLatin1End)
            return measure_.Width(text) * kPointsPerInch;
        width += advance(c);
        if (i > 0)
            width += kerning(previous, c);
        previous = c;
    }
    return width;
}
