#pragma once
// What the user chose for envelopes, kept in "ADR.ini": the last size, the font and fit,
// the return address and the barcode under "[Envelopes]"; the address block's offsets per size under
// "[Envelope <size key>]"; how each printer takes envelopes under "[Envelope Feed
// <printer>]". Missing keys read as the defaults. Writes throw SettingsWriteError.

#include "barcode/barcodechoice.h"
#include "envelopes/envelopesize.h"

#include <QString>

struct EnvelopeOptions {
    QString sizeKey; // empty: the size of the locale's paper (DL on A4, #10 on Letter)
    QString fontName = QStringLiteral("Arial");
    int fontSize = 12;
    bool fontBold = false;
    bool adjustFontSizeToFit = true;
    bool printReturnAddress = false;
    QString returnAddress; // lines separated by "\n"
    BarcodeChoice barcode; // beside the address, in a corner of its block

    bool operator==(const EnvelopeOptions&) const = default;
};

EnvelopeOptions ReadEnvelopeOptions();
void WriteEnvelopeOptions(const EnvelopeOptions& options);

// The size of the options, or the locale's one when they name none (or an unknown one).
EnvelopeSize ChosenEnvelopeSize(const EnvelopeOptions& options);

// Millimetres the address block is moved from where postal services expect it, right and
// down; negative values move it left and up.
struct EnvelopeOffsets {
    double rightMillimetres = 0;
    double downMillimetres = 0;

    bool operator==(const EnvelopeOffsets&) const = default;
};

inline constexpr double kMaxEnvelopeOffset = 50; // millimetres either way

EnvelopeOffsets ReadEnvelopeOffsets(const EnvelopeSize& size);
void WriteEnvelopeOffsets(const EnvelopeSize& size, const EnvelopeOffsets& offsets);

// How a printer wants envelopes put in. Portrait feeds the short edge first, landscape
// the long edge. The flap is the envelope's top edge: in portrait it lies on the left or
// the right of the tray as the user looks at it; in landscape "left" means it goes in
// first. Face up when the printer prints on the side that lies up in the tray. The default,
// long edge first with the flap leading, prints the page upright.
struct EnvelopeFeed {
    bool landscape = true;
    bool flapLeft = true;
    bool faceUp = true;

    bool operator==(const EnvelopeFeed&) const = default;
};

EnvelopeFeed ReadEnvelopeFeed(const QString& printerName);
void WriteEnvelopeFeed(const QString& printerName, const EnvelopeFeed& feed);
