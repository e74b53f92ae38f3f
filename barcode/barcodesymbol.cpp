#include "barcode/barcodesymbol.h"

#include <memory>
#include <zint.h>

namespace {

int Symbology(BarcodeKind kind)
{
    switch (kind) {
    case BarcodeKind::QrVCard:
        return BARCODE_QRCODE;
    case BarcodeKind::Code128:
        return BARCODE_CODE128;
    case BarcodeKind::DataMatrix:
        return BARCODE_DATAMATRIX;
    case BarcodeKind::IntelligentMail:
        return BARCODE_USPS_IMAIL;
    case BarcodeKind::None:
        break;
    }
    throw BarcodeError(QStringLiteral("No barcode was chosen."));
}

struct SymbolDeleter {
    void operator()(zint_symbol* symbol) const { ZBarcode_Delete(symbol); }
};

} // namespace

BarcodeSymbol EncodeBarcode(BarcodeKind kind, const QByteArray& data)
{
    const std::unique_ptr<zint_symbol, SymbolDeleter> symbol(ZBarcode_Create());
    if (!symbol)
        throw BarcodeError(QStringLiteral("The barcode library has no memory left."));
    symbol->symbology = Symbology(kind);
    symbol->show_hrt = 0;
    // The QR code holds the vCard's bytes as they are; the others take text.
    symbol->input_mode = kind == BarcodeKind::QrVCard ? DATA_MODE : UNICODE_MODE;
    // Mail sorters need no quiet zone beside the Intelligent Mail bars; readers of the
    // others do.
    symbol->output_options = kind == BarcodeKind::IntelligentMail ? BARCODE_NO_QUIET_ZONES : BARCODE_QUIET_ZONES;
    const int encoded =
        ZBarcode_Encode(symbol.get(), reinterpret_cast<const unsigned char*>(data.constData()), int(data.size()));
    if (encoded >= ZINT_ERROR || ZBarcode_Buffer_Vector(symbol.get(), 0) >= ZINT_ERROR || !symbol->vector)
        throw BarcodeError(QString::fromUtf8(symbol->errtxt));
    BarcodeSymbol out;
    out.size = QSizeF(symbol->vector->width, symbol->vector->height);
    for (const zint_vector_rect* r = symbol->vector->rectangles; r; r = r->next)
        out.bars.emplace_back(r->x, r->y, r->width, r->height);
    return out;
}
