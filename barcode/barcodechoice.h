#pragma once
// Which barcode a label carries and in which corner, as the design screen and the label
// file keep it and as the command line spells it:
//
//   qr                  the contact as a vCard in a QR code
//   code128:FIELD       the field's value in Code 128
//   datamatrix:FIELD    the field's value in Data Matrix
//   imb                 the USPS Intelligent Mail barcode of the record's ZIP code
//
//   const BarcodeChoice choice = ParseBarcodeOption("code128:ZIP");   // throws BarcodeError

#include <QString>
#include <QStringList>
#include <stdexcept>

enum class BarcodeKind { None = 0, QrVCard = 1, Code128 = 2, DataMatrix = 3, IntelligentMail = 4 };
enum class BarcodeCorner { TopLeft = 0, TopRight = 1, BottomLeft = 2, BottomRight = 3 };

struct BarcodeChoice {
    BarcodeKind kind = BarcodeKind::None;
    QString field; // the field whose value Code 128 and Data Matrix hold
    BarcodeCorner corner = BarcodeCorner::BottomRight;

    bool operator==(const BarcodeChoice&) const = default;
    bool Square() const { return kind == BarcodeKind::QrVCard || kind == BarcodeKind::DataMatrix; }
    bool NeedsField() const { return kind == BarcodeKind::Code128 || kind == BarcodeKind::DataMatrix; }
};

// A barcode that cannot be made or placed; the message is meant for the user.
class BarcodeError : public std::runtime_error {
public:
    explicit BarcodeError(const QString& message) : std::runtime_error(message.toStdString()), message_(message) {}
    const QString& Message() const { return message_; }

private:
    QString message_;
};

// "qr", "code128:FIELD", "datamatrix:FIELD" or "imb", in either case; the field name is
// taken in capitals, as the address file names its fields.
BarcodeChoice ParseBarcodeOption(const QString& text);
// "top-left", "top-right", "bottom-left" or "bottom-right".
BarcodeCorner ParseBarcodeCorner(const QString& text);
// The choice as ParseBarcodeOption reads it back ("code128:ZIP"); empty for none.
QString BarcodeOptionText(const BarcodeChoice& choice);
// The corner as ParseBarcodeCorner reads it back.
QString BarcodeCornerText(BarcodeCorner corner);

// What the design screen lists, in BarcodeKind order: "None", "QR code (vCard)", ...
const QStringList& BarcodeKindCaptions();
// What the design screen lists, in BarcodeCorner order: "Top left", ...
const QStringList& BarcodeCornerCaptions();
