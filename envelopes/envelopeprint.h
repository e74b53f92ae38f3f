#pragma once
// Printing envelopes on the report canvas: one page of the envelope's size per record, the
// address block drawn as a label face, so that whatever a face holds comes out on
// envelopes too, and the return address in the top left corner. On a printer the page is
// turned as the printer feeds envelopes and corrected by its calibration; the preview and
// a PDF file show it upright unless asked otherwise.

#include "envelopes/envelopelayout.h"
#include "labels/calibration.h"
#include "labels/labelface.h"
#include "labels/lostlines.h"

#include <functional>

class TBaseReport;
class TTable;

struct EnvelopeJob {
    EnvelopeSize size;
    EnvelopeOptions options;
    EnvelopeOffsets offsets;
    int quarterTurns = 0; // FeedQuarterTurns of the printer's feed
    PrinterCalibration calibration;
};

// The face an envelope's address block is drawn as: the options' font and fit over the
// block, with every address part a label shows by default, and the options' barcode in a
// corner of the block (with the Intelligent Mail settings of ADR.ini when it is one).
FaceStyle EnvelopeFaceStyle(const EnvelopeJob& job);

// Sets the fed page as the canvas's paper (a custom size), and the calibration's scales as
// its page scale.
void SetEnvelopePaper(TBaseReport& report, const EnvelopeJob& job);

struct EnvelopeTally {
    LabelTally addresses;    // one "label" per envelope
    bool returnLost = false; // the return address did not fit its block

    // What to tell the user, paragraphs separated by "\r\r"; empty when nothing was lost.
    QString LostLinesNote() const;
    // Which envelopes were printed without their barcode and the first reason; empty when none.
    QString BarcodeNote() const { return addresses.BarcodeNote(QStringLiteral("envelopes")); }
};

// Draws one envelope per record from the table's current record to its end; stopped is
// asked before each, recordDone told after each.
EnvelopeTally DrawEnvelopes(TBaseReport& report, TTable& table, const EnvelopeJob& job,
                            const std::function<bool()>& stopped = {}, const std::function<void()>& recordDone = {});
