#include "envelopes/envelopesettings.h"

#include "platform/localpaper.h"
#include "platform/settings.h"

#include <QLocale>
#include <algorithm>

namespace {

const QString kSection = QStringLiteral("Envelopes");

QString SizeSection(const EnvelopeSize& size)
{
    return QStringLiteral("Envelope ") + size.key;
}

QString FeedSection(const QString& printerName)
{
    return QStringLiteral("Envelope Feed ") + printerName;
}

// A settings value is one line: backslashes and line breaks are written as escapes.
QString Escaped(QString text)
{
    return text.replace(QStringLiteral("\\"), QStringLiteral("\\\\"))
        .replace(QStringLiteral("\n"), QStringLiteral("\\n"));
}

QString Unescaped(const QString& text)
{
    QString out;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == QLatin1Char('\\') && i + 1 < text.size()) {
            ++i;
            out += text[i] == QLatin1Char('n') ? QLatin1Char('\n') : text[i];
        } else {
            out += text[i];
        }
    }
    return out;
}

double ReadMillimetres(const QString& section, const QString& key)
{
    bool ok = false;
    const double value = QLocale::c().toDouble(ReadSettingString(section, key), &ok);
    return ok && value >= -kMaxEnvelopeOffset && value <= kMaxEnvelopeOffset ? value : 0;
}

// A barcode the settings spell wrongly reads as none.
BarcodeChoice ReadBarcode()
{
    BarcodeChoice choice;
    try {
        if (const QString kind = ReadSettingString(kSection, QStringLiteral("Barcode")); !kind.isEmpty())
            choice = ParseBarcodeOption(kind);
        choice.corner = ParseBarcodeCorner(
            ReadSettingString(kSection, QStringLiteral("BarcodeCorner"), BarcodeCornerText(choice.corner)));
    } catch (const BarcodeError&) {
        return {};
    }
    return choice;
}

} // namespace

EnvelopeOptions ReadEnvelopeOptions()
{
    EnvelopeOptions o;
    o.sizeKey = ReadSettingString(kSection, QStringLiteral("Size"));
    o.fontName = ReadSettingString(kSection, QStringLiteral("FontName"), o.fontName);
    o.fontSize = std::clamp(ReadSettingInteger(kSection, QStringLiteral("FontSize"), o.fontSize), 4, 72);
    o.fontBold = ReadSettingBool(kSection, QStringLiteral("FontBold"), o.fontBold);
    o.adjustFontSizeToFit = ReadSettingBool(kSection, QStringLiteral("AdjustToFit"), o.adjustFontSizeToFit);
    o.printReturnAddress = ReadSettingBool(kSection, QStringLiteral("PrintReturnAddress"), o.printReturnAddress);
    o.returnAddress = Unescaped(ReadSettingString(kSection, QStringLiteral("ReturnAddress")));
    o.barcode = ReadBarcode();
    return o;
}

void WriteEnvelopeOptions(const EnvelopeOptions& o)
{
    WriteSettingString(kSection, QStringLiteral("Size"), o.sizeKey);
    WriteSettingString(kSection, QStringLiteral("FontName"), o.fontName);
    WriteSettingInteger(kSection, QStringLiteral("FontSize"), o.fontSize);
    WriteSettingBool(kSection, QStringLiteral("FontBold"), o.fontBold);
    WriteSettingBool(kSection, QStringLiteral("AdjustToFit"), o.adjustFontSizeToFit);
    WriteSettingBool(kSection, QStringLiteral("PrintReturnAddress"), o.printReturnAddress);
    WriteSettingString(kSection, QStringLiteral("ReturnAddress"), Escaped(o.returnAddress));
    WriteSettingString(kSection, QStringLiteral("Barcode"), BarcodeOptionText(o.barcode));
    WriteSettingString(kSection, QStringLiteral("BarcodeCorner"), BarcodeCornerText(o.barcode.corner));
}

EnvelopeSize ChosenEnvelopeSize(const EnvelopeOptions& options)
{
    if (const auto size = FindEnvelopeSize(options.sizeKey))
        return *size;
    const bool letter = LocalePaper(QLocale()) == QPageSize::Letter;
    return *FindEnvelopeSize(letter ? QStringLiteral("No10") : QStringLiteral("DL"));
}

EnvelopeOffsets ReadEnvelopeOffsets(const EnvelopeSize& size)
{
    return {ReadMillimetres(SizeSection(size), QStringLiteral("OffsetRight")),
            ReadMillimetres(SizeSection(size), QStringLiteral("OffsetDown"))};
}

void WriteEnvelopeOffsets(const EnvelopeSize& size, const EnvelopeOffsets& offsets)
{
    WriteSettingString(SizeSection(size), QStringLiteral("OffsetRight"),
                       QString::number(offsets.rightMillimetres, 'g', 10));
    WriteSettingString(SizeSection(size), QStringLiteral("OffsetDown"),
                       QString::number(offsets.downMillimetres, 'g', 10));
}

EnvelopeFeed ReadEnvelopeFeed(const QString& printerName)
{
    const EnvelopeFeed d;
    const QString section = FeedSection(printerName);
    return {ReadSettingBool(section, QStringLiteral("Landscape"), d.landscape),
            ReadSettingBool(section, QStringLiteral("FlapLeft"), d.flapLeft),
            ReadSettingBool(section, QStringLiteral("FaceUp"), d.faceUp)};
}

void WriteEnvelopeFeed(const QString& printerName, const EnvelopeFeed& feed)
{
    const QString section = FeedSection(printerName);
    WriteSettingBool(section, QStringLiteral("Landscape"), feed.landscape);
    WriteSettingBool(section, QStringLiteral("FlapLeft"), feed.flapLeft);
    WriteSettingBool(section, QStringLiteral("FaceUp"), feed.faceUp);
}
