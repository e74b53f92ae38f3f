#pragma once
// The glue between a label print and the report canvas, shared by the program's own
// printing and by addrina-print: the paper of a layout set on the canvas, and the labels
// drawn on it with the printer's calibration.

#include "labels/calibration.h"
#include "labels/printlbl.h"

#include <QLineF>
#include <QString>
#include <functional>
#include <vector>

class LabelFace;
struct FaceLayout;
class TBaseReport;
class TTable;

// Sets the layout's paper on the canvas: letter, A4 and A5 by their codes, any other
// sheet as a custom size (except on drivers named "HPFDJ", which cannot take one), then
// the orientation. Gives the question to ask when the canvas cannot confirm the paper
// within 0.05 inch of the layout's; empty when it is confirmed.
QString SetLabelPaper(TBaseReport& report, const LabelTemplate& sheet);

// Stretches the faces on the canvas as printing does: over the pitch cell rather than the
// label, and by the calibration's scales. It is the canvas's page scale, so that text is
// stretched with its place; set it before the run.
void SetFaceStretch(TBaseReport& report, const LabelTemplate& sheet, const PrinterCalibration& calibration);

// The question when the paper the printer took is not the wanted one (inches, upright).
QString PaperQuestion(double width, double height);

struct LabelDrawing {
    // Applied to every label's cell; the identity for the preview.
    PrinterCalibration calibration;
    // Each label's outline drawn as well (to check a layout on plain paper).
    bool outline = false;
    std::function<bool()> stopped;
    std::function<void()> recordDone;
};

// Draws the labels of the table from its current record on (see PrintLabels) and gives
// how many were drawn and which lost lines.
LabelTally DrawLabels(TBaseReport& report, LabelFace& face, TTable& table, const LabelTemplate& sheet,
                      const LabelRunOptions& options, const LabelDrawing& drawing);

// Draws a laid-out face with its top left corner at origin (inches from the paper's corner,
// where the canvas's page scale puts it), its text stretched by that scale.
void DrawFaceAt(TBaseReport& report, QPointF origin, const FaceLayout& layout);

// Lines in inches from the paper's corner, drawn thin and black whatever the page scale.
void DrawLabelLines(TBaseReport& report, const std::vector<QLineF>& lines);
