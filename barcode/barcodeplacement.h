#pragma once
// Where a barcode goes on a label, in points (1/72 inch) from the label's top left corner.
// A setup reserves the same corner on every label, so that the address keeps its place
// whatever each record's symbol holds: a square symbol (QR code, Data Matrix) takes a
// square beside the text, a linear one (Code 128, Intelligent Mail) a band above or below
// it. Each record's symbol is then scaled into that corner, no smaller than readers and
// mail sorters can take, or refused.

#include "barcode/barcodesymbol.h"

#include <QRectF>
#include <vector>

struct BarcodeArea {
    QRectF symbol; // where the symbol may go
    QRectF text;   // what is left for the address lines
};

// Splits the label's text rectangle between the barcode and the address lines.
BarcodeArea ReserveBarcode(const BarcodeChoice& choice, const QRectF& textRect);

// The symbol's rectangles scaled into the area's corner. Throws BarcodeError, saying how
// much room the symbol needs, when it cannot be drawn large enough to be read.
std::vector<QRectF> PlaceBarcode(const BarcodeSymbol& symbol, const BarcodeChoice& choice, const QRectF& area);
