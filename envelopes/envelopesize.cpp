#include "envelopes/envelopesize.h"

#include "labels/labelsheet.h"

namespace {

EnvelopeSize Inches(const char* key, const char* caption, double shortSide, double longSide)
{
    return {QLatin1StringView(key), QString::fromUtf8(caption), QSizeF(longSide, shortSide)};
}

EnvelopeSize Millimetres(const char* key, const char* caption, double shortSide, double longSide)
{
    return Inches(key, caption, shortSide / kMillimetresPerInch, longSide / kMillimetresPerInch);
}

// "#10", "No. 10", "us 10" and "10" all read "10"; "6¾", "6 3/4" and "No6_3_4" read "634".
QString Simplified(const QString& name)
{
    QString s = name.toUpper();
    s.replace(QStringLiteral("¾"), QStringLiteral("34")).replace(QStringLiteral(".75"), QStringLiteral("34"));
    for (const char* noise : {" ", "-", "_", "/", "#", "."})
        s.remove(QLatin1StringView(noise));
    for (const char* prefix : {"US", "NO"})
        if (s.startsWith(QLatin1StringView(prefix)))
            s = s.mid(2);
    return s;
}

} // namespace

const std::vector<EnvelopeSize>& EnvelopeSizes()
{
    static const std::vector<EnvelopeSize> sizes{
        Inches("No10", "US #10 (4 1/8 × 9 1/2 in)", 4.125, 9.5),
        Inches("No9", "US #9 (3 7/8 × 8 7/8 in)", 3.875, 8.875),
        Inches("No6_3_4", "US #6¾ (3 5/8 × 6 1/2 in)", 3.625, 6.5),
        Inches("Monarch", "Monarch (3 7/8 × 7 1/2 in)", 3.875, 7.5),
        Inches("A2", "A2 (4 3/8 × 5 3/4 in)", 4.375, 5.75),
        Inches("A7", "A7 (5 1/4 × 7 1/4 in)", 5.25, 7.25),
        Millimetres("DL", "DL (110 × 220 mm)", 110, 220),
        Millimetres("C6", "C6 (114 × 162 mm)", 114, 162),
        Millimetres("C5", "C5 (162 × 229 mm)", 162, 229),
        Millimetres("C4", "C4 (229 × 324 mm)", 229, 324),
        Millimetres("B5", "B5 (176 × 250 mm)", 176, 250),
    };
    return sizes;
}

std::optional<EnvelopeSize> FindEnvelopeSize(const QString& name)
{
    const QString wanted = Simplified(name);
    for (const EnvelopeSize& size : EnvelopeSizes())
        if (!wanted.isEmpty() && Simplified(size.key) == wanted)
            return size;
    return std::nullopt;
}
