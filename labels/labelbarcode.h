#pragma once
// What a label's barcode holds for the table's current record: the contact as a vCard
// (written as the vCard copy writes it) for the QR code, a field's value for Code 128 and
// Data Matrix, the tracking and routing codes for Intelligent Mail.

#include "barcode/barcodechoice.h"
#include "barcode/intelligentmail.h"

#include <QByteArray>

class TTable;

// Empty when the field to encode is empty: such a label has no barcode. Throws
// BarcodeError when the record or the settings cannot give the data.
QByteArray LabelBarcodeData(const BarcodeChoice& choice, const IntelligentMailSettings& mail, const TTable& table);
