#pragma once
// Printing labels: one face per label, composed from each record in turn, laid out in
// points and stretched over its pitch cell, position after chosen position, sheet after sheet. The canvas is
// whatever the caller draws on (the printer, the preview's recording, a PDF file).

#include "labels/labelface.h"
#include "labels/labelsheet.h"
#include "labels/lostlines.h"

#include <functional>

struct LabelCanvas {
    // A further sheet is due (never before the first label, never after the last).
    std::function<void()> StartNewPage;
    // The face of one label over its cell, in inches from the paper's top left corner.
    std::function<void(const QRectF& cellInches, const FaceLayout& face)> DrawFace;
    // Asked before each label: true ends the run (the user stopped it).
    std::function<bool()> Stopped;
    // After each record's labels, so the status window stays live.
    std::function<void()> RecordDone;
};

struct LabelRunOptions {
    PositionSelection selection = AllPositions();
    int copies = 1;
    bool onePageOnly = false;
    int skipFirst = 0;
};

// Prints from the table's current record to its end (or the end of the one sheet asked
// for). Gives the labels drawn and those that lost lines.
LabelTally PrintLabels(LabelFace& face, TTable& table, const LabelTemplate& sheet, const LabelRunOptions& options,
                       const LabelCanvas& canvas);
