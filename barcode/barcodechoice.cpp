#include "barcode/barcodechoice.h"

namespace {

const QStringList kCornerNames = {QStringLiteral("top-left"), QStringLiteral("top-right"),
                                  QStringLiteral("bottom-left"), QStringLiteral("bottom-right")};

} // namespace

BarcodeChoice ParseBarcodeOption(const QString& text)
{
    const QString kind = text.section(QLatin1Char(':'), 0, 0).trimmed().toLower();
    const QString field = text.section(QLatin1Char(':'), 1).trimmed().toUpper();
    const bool hasField = text.contains(QLatin1Char(':'));
    BarcodeChoice choice;
    if (kind == QLatin1StringView("qr"))
        choice.kind = BarcodeKind::QrVCard;
    else if (kind == QLatin1StringView("code128"))
        choice.kind = BarcodeKind::Code128;
    else if (kind == QLatin1StringView("datamatrix"))
        choice.kind = BarcodeKind::DataMatrix;
    else if (kind == QLatin1StringView("imb"))
        choice.kind = BarcodeKind::IntelligentMail;
    else
        throw BarcodeError(
            QStringLiteral("unknown barcode \"%1\": give qr, code128:FIELD, datamatrix:FIELD or imb").arg(text));
    if (choice.NeedsField() && field.isEmpty())
        throw BarcodeError(QStringLiteral("%1 needs the field to encode, e.g. %1:ZIP").arg(kind));
    if (!choice.NeedsField() && hasField)
        throw BarcodeError(QStringLiteral("%1 takes no field").arg(kind));
    choice.field = field;
    return choice;
}

BarcodeCorner ParseBarcodeCorner(const QString& text)
{
    const auto at = kCornerNames.indexOf(text.trimmed().toLower());
    if (at < 0)
        throw BarcodeError(
            QStringLiteral("unknown corner \"%1\": give %2").arg(text, kCornerNames.join(QStringLiteral(", "))));
    return static_cast<BarcodeCorner>(at);
}

QString BarcodeOptionText(const BarcodeChoice& choice)
{
    static const QStringList kinds = {
        {}, QStringLiteral("qr"), QStringLiteral("code128"), QStringLiteral("datamatrix"), QStringLiteral("imb")};
    const QString kind = kinds.value(static_cast<int>(choice.kind));
    return choice.NeedsField() ? kind + QLatin1Char(':') + choice.field : kind;
}

QString BarcodeCornerText(BarcodeCorner corner)
{
    return kCornerNames.value(static_cast<int>(corner));
}

const QStringList& BarcodeKindCaptions()
{
    static const QStringList captions = {QStringLiteral("None"), QStringLiteral("QR code (vCard)"),
                                         QStringLiteral("Code 128"), QStringLiteral("Data Matrix"),
                                         QStringLiteral("Intelligent Mail")};
    return captions;
}

const QStringList& BarcodeCornerCaptions()
{
    static const QStringList captions = {QStringLiteral("Top left"), QStringLiteral("Top right"),
                                         QStringLiteral("Bottom left"), QStringLiteral("Bottom right")};
    return captions;
}
