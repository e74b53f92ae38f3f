#pragma once
// A barcode symbol as libzint draws it: filled rectangles in the symbol's own units, from
// its top left corner, quiet zones included where the symbology asks for them. The bars
// are never drawn by our own hand; a caller scales the rectangles into place.

#include "barcode/barcodechoice.h"

#include <QByteArray>
#include <QRectF>
#include <QSizeF>
#include <vector>

struct BarcodeSymbol {
    QSizeF size; // the whole symbol, quiet zones included
    std::vector<QRectF> bars;
};

// The symbol of data: UTF-8 text for Code 128 and Data Matrix, bytes for the QR code,
// "<20-digit tracking code>-<routing code>" for Intelligent Mail. Throws BarcodeError with
// the library's reason when the data cannot be encoded.
BarcodeSymbol EncodeBarcode(BarcodeKind kind, const QByteArray& data);
