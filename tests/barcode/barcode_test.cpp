#include "barcode/barcodeplacement.h"
#include "barcode/imb_bars.h"
#include "barcode/intelligentmail.h"

#include <gtest/gtest.h>

namespace {

// The four examples the Postal Service publishes for the Intelligent Mail barcode, one tracking code with
// each length of routing code.
const char* const kTracking = "01234567094987654321";
const std::pair<const char*, const char*> kPublished[] = {
    {"", "ATTFATTDTTADTAATTDTDTATTDAFDDFADFDFTFFFFFTATFAAAATDFFTDAADFTFDTDT"},
    {"01234", "DTTAFADDTTFTDTFTFDTDDADADAFADFATDDFTAAAFDTTADFAAATDFDTDFADDDTDFFT"},
    {"012345678", "ADFTTAFDTTTTFATTADTAAATFTFTATDAAAFDDADATATDTDTTDFDTDATADADTDFFTFA"},
    {"01234567891", "AADTFFDFTDADTAADAATFDTDDAAADDTDTTDAFADADDDTFFFDDTTTADFAAADFTDAADA"},
};

QByteArray ImbData(const char* routing)
{
    return QByteArray(kTracking) + (*routing ? QByteArray("-") + routing : QByteArray());
}

} // namespace

TEST(BarcodeOption, ReadsEachKindAndRefusesWhatItCannotUse)
{
    EXPECT_EQ(ParseBarcodeOption("qr").kind, BarcodeKind::QrVCard);
    EXPECT_EQ(ParseBarcodeOption("IMB").kind, BarcodeKind::IntelligentMail);
    const BarcodeChoice code = ParseBarcodeOption("code128:zip");
    EXPECT_EQ(code.kind, BarcodeKind::Code128);
    EXPECT_EQ(code.field, "ZIP");
    EXPECT_EQ(ParseBarcodeOption("datamatrix:LNAME").kind, BarcodeKind::DataMatrix);
    for (const char* wrong : {"ean13", "code128", "datamatrix:", "qr:ZIP", ""})
        EXPECT_THROW(ParseBarcodeOption(wrong), BarcodeError) << wrong;
    EXPECT_EQ(ParseBarcodeCorner("Top-Left"), BarcodeCorner::TopLeft);
    EXPECT_EQ(ParseBarcodeCorner("bottom-right"), BarcodeCorner::BottomRight);
    EXPECT_THROW(ParseBarcodeCorner("middle"), BarcodeError);
}

TEST(IntelligentMail, TheLibrarysBarsAreThePublishedExamples)
{
    for (const auto& [routing, bars] : kPublished) {
        const BarcodeSymbol symbol = EncodeBarcode(BarcodeKind::IntelligentMail, ImbData(routing));
        EXPECT_EQ(ImbLetters(symbol.bars), bars) << routing;
    }
    EXPECT_THROW(EncodeBarcode(BarcodeKind::IntelligentMail, "0123"), BarcodeError);
}

TEST(IntelligentMail, TrackingComesFromTheSettingsAndRoutingFromTheZipCode)
{
    IntelligentMailSettings s{"01", "234", "567094", "987654300"};
    EXPECT_EQ(IntelligentMailData(s, "01234-5678", 21), "01234567094987654321-012345678");
    EXPECT_EQ(IntelligentMailData(s, "01234", 0), "01234567094987654300-01234");
    // The serial wraps within its nine digits.
    s.serial = "999999999";
    EXPECT_EQ(IntelligentMailData(s, "01234567891", 2), "01234567094000000001-01234567891");
    // A nine-digit Mailer ID leaves six digits of serial.
    s = {"00", "300", "123456789", "42"};
    EXPECT_EQ(IntelligentMailData(s, "60614", 1), "00300123456789000043-60614");

    s = {"01", "234", "567094", "1"};
    for (const char* zip : {"", "6061", "606141", "60614-12345", "SW1A 1AA"})
        EXPECT_THROW(IntelligentMailData(s, zip, 1), BarcodeError) << zip;
    for (const IntelligentMailSettings& wrong :
         {IntelligentMailSettings{"05", "234", "567094", "1"}, IntelligentMailSettings{"01", "23", "567094", "1"},
          IntelligentMailSettings{"01", "234", "5670941", "1"},
          IntelligentMailSettings{"01", "234", "567094", "1234567890"},
          IntelligentMailSettings{"01", "234", "567094", ""}})
        EXPECT_THROW(IntelligentMailData(wrong, "60614", 1), BarcodeError) << wrong.mailerId.toStdString();
}

TEST(BarcodePlacement, TheCornerIsTakenFromTheTextAndTheSymbolStaysInIt)
{
    const QRectF text(14.4, 14.4, 260, 115); // a 4 x 2 inch label's text, points
    BarcodeChoice qr{BarcodeKind::QrVCard, {}, BarcodeCorner::TopRight};
    const BarcodeArea square = ReserveBarcode(qr, text);
    EXPECT_EQ(square.symbol, QRectF(text.right() - 115, text.top(), 115, 115));
    EXPECT_LT(square.text.right(), square.symbol.left());
    EXPECT_EQ(square.text.height(), text.height());
    const BarcodeSymbol symbol = EncodeBarcode(BarcodeKind::QrVCard, "BEGIN:VCARD\r\nVERSION:3.0\r\nEND:VCARD\r\n");
    const std::vector<QRectF> placed = PlaceBarcode(symbol, qr, square.symbol);
    ASSERT_EQ(placed.size(), symbol.bars.size());
    QRectF inked;
    for (const QRectF& bar : placed)
        inked |= bar;
    EXPECT_TRUE(square.symbol.adjusted(-1e-6, -1e-6, 1e-6, 1e-6).contains(inked));

    const BarcodeChoice imb{BarcodeKind::IntelligentMail, {}, BarcodeCorner::BottomLeft};
    const BarcodeArea band = ReserveBarcode(imb, text);
    EXPECT_NEAR(band.symbol.height(), 0.16 * 72, 1e-9);
    EXPECT_EQ(band.symbol.bottom(), text.bottom());
    EXPECT_LT(band.text.bottom(), band.symbol.top());
    const BarcodeSymbol mail = EncodeBarcode(BarcodeKind::IntelligentMail, ImbData("01234567891"));
    const std::vector<QRectF> bars = PlaceBarcode(mail, imb, band.symbol);
    EXPECT_EQ(ImbLetters(bars), kPublished[3].second);
    // 65 bars at 22 to the inch, whatever room there is to spare.
    QRectF across;
    for (const QRectF& bar : bars)
        across |= bar;
    EXPECT_NEAR(across.width(), 64.5 * 72 / 22, 0.01);
}

TEST(BarcodePlacement, ASymbolTooLargeForItsCornerIsRefusedSayingWhatItNeeds)
{
    // A 2-5/8 inch address label has 2.2 inches inside its margins; the mail bars need 2.7.
    const BarcodeChoice imb{BarcodeKind::IntelligentMail, {}, BarcodeCorner::BottomRight};
    const BarcodeSymbol mail = EncodeBarcode(BarcodeKind::IntelligentMail, ImbData("01234"));
    const QRectF narrow = ReserveBarcode(imb, QRectF(14.4, 14.4, 2.225 * 72, 43.2)).symbol;
    try {
        PlaceBarcode(mail, imb, narrow);
        FAIL() << "placed";
    } catch (const BarcodeError& e) {
        EXPECT_TRUE(e.Message().contains("Intelligent Mail barcode does not fit")) << e.Message().toStdString();
        EXPECT_TRUE(e.Message().contains("needs 2.69\" by 0.16\"")) << e.Message().toStdString();
        EXPECT_TRUE(e.Message().contains("has 2.23\" by 0.16\"")) << e.Message().toStdString();
    }
    const BarcodeChoice qr{BarcodeKind::QrVCard, {}, BarcodeCorner::BottomRight};
    const BarcodeSymbol big = EncodeBarcode(BarcodeKind::QrVCard, QByteArray(600, 'x'));
    EXPECT_THROW(PlaceBarcode(big, qr, QRectF(0, 0, 30, 30)), BarcodeError);
    EXPECT_NO_THROW(PlaceBarcode(big, qr, QRectF(0, 0, 144, 144)));
}
