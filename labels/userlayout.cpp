#include "labels/userlayout.h"

#include <QLocale>
#include <QRegularExpression>
#include <cmath>

std::optional<QString> ValidLabel(const LabelTemplate& v)
{
    if (v.LabelHeight < 0.3)
        return QStringLiteral("Label Height must be at least .3 inches (or 7mm)");
    if (v.LabelWidth < 0.5)
        return QStringLiteral("Label Width must be at least .5 inch (or 13mm)");
    if (v.Across >= 2 && v.LabelWidth > v.HorzPitch)
        return QStringLiteral("Horizontal Pitch must be at least = Label Width");
    if (v.Down >= 2 && v.LabelHeight > v.VertPitch)
        return QStringLiteral("Vertical Pitch must be at least = Label Height");
    if (v.SheetWidth < 0.3)
        return QStringLiteral("Page Width must be at least .3 inch");
    if (v.SheetHeight < 0.3)
        return QStringLiteral("Page Height must be at least .3 inches");
    const long long positions = static_cast<long long>(v.Across) * v.Down;
    if (positions > kMaxLabelPositions)
        return QStringLiteral("A sheet can hold at most %1 labels: # Across times # Down is %2")
            .arg(kMaxLabelPositions)
            .arg(positions);
    return std::nullopt;
}

void TakeUserDefinedLayout(LabelLayout& l, const LabelTemplate& v)
{
    static_cast<LabelTemplate&>(l) = v;
    l.TemplateName.clear();
    l.PrinterType.clear();
    l.ExtraCode.clear();
    l.MakerCode = QStringLiteral("USER");
    l.HorzGap = 0;
    l.VertGap = 0;
}

double MillimetresToInches(double millimetres)
{
    return std::round(millimetres / kMillimetresPerInch * 1000) / 1000;
}

QString FormatLength(double value, bool millimetres)
{
    if (millimetres)
        return QString::number(std::llround(value));
    QString text = QString::number(value, 'f', 3);
    while (text.endsWith(QLatin1Char('0')) && text.at(text.size() - 2) != QLatin1Char('.'))
        text.chop(1);
    // Shown with the decimal separator of the user's language ("2,625" in German).
    return text.replace(QLatin1Char('.'), QLocale().decimalPoint());
}

double ParseLength(const QString& text)
{
    // A length has no thousands, so one separator is the decimal one, comma or point.
    QString number = text.trimmed();
    bool ok = false;
    double value = 0;
    if (number.count(QLatin1Char(',')) + number.count(QLatin1Char('.')) <= 1)
        value = QLocale::c().toDouble(number.replace(QLatin1Char(','), QLatin1Char('.')), &ok);
    else
        value = QLocale().toDouble(number, &ok);
    return ok ? value : 0;
}

const QRegularExpression& LengthPattern()
{
    static const QRegularExpression pattern(QStringLiteral(R"(\d{0,2}([.,]\d{0,3})?)"));
    return pattern;
}

const std::array<PaperSize, 7>& PaperSizes()
{
    static const std::array<PaperSize, 7> sizes = {{
        {"Letter (8.5 x 11\")", "LTR", 8.5, 11, 215.9, 279.4},
        {"Letter Landscape (11 x 8.5\")", "LTRL", 11, 8.5, 279.4, 215.9},
        {"A4 (210 x 297mm)", "A4", 8.27, 11.69, 210.058, 296.926},
        {"A4 Landscape ( 297 x 210mm)", "A4L", 11.69, 8.27, 296.926, 210.058},
        {"A5 (148 x 210mm)", "A5", 5.82, 8.27, 147.828, 210.058},
        {"Other Portrait (User Defined)", "USERP", 0, 0, 0, 0},
        {"Other Landscape (User Defined)", "USERL", 0, 0, 0, 0},
    }};
    return sizes;
}

int ShapeIndex(const QString& shapeCode)
{
    if (shapeCode == QLatin1StringView("RR"))
        return 0;
    if (shapeCode == QLatin1StringView("SR"))
        return 1;
    return 2;
}
