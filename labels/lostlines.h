#pragma once
// The labels of one print that lost address lines because they did not fit, counted so
// that the run's ending can say so: a label without its city line cannot be delivered.
//
//   LabelTally tally;
//   tally.Add(recNo, face.LastDrawing());   // once per label drawn
//   if (!tally.LostLinesNote().isEmpty()) ShowInformation(tally.LostLinesNote());

#include "labels/facegeometry.h"

#include <QString>
#include <vector>

class LabelTally {
public:
    // One label drawn for the record with this number.
    void Add(long recNo, const FaceLines& lines);

    int Labels() const { return labels_; }
    // Labels that lost at least one line.
    int ShortLabels() const { return shortLabels_; }
    // The first few records whose labels lost lines, in print order.
    const std::vector<long>& ShortRecords() const { return shortRecords_; }

    // What to tell the user, lines separated by "\r"; empty when every label kept its lines.
    QString LostLinesNote() const;

    // A record whose label was printed without its barcode, and why.
    void RefuseBarcode(long recNo, const QString& why);
    int LabelsWithoutBarcode() const { return barcodeRefusals_; }
    // The first reason with its record; empty when every barcode was drawn. The pieces are
    // what was printed, "labels" or "envelopes".
    QString BarcodeNote(const QString& pieces = QStringLiteral("labels")) const;

private:
    int labels_ = 0;
    int shortLabels_ = 0;
    int shortRecordCount_ = 0;
    long lastShortRecord_ = 0;
    std::vector<long> shortRecords_;
    int barcodeRefusals_ = 0;
    QString firstBarcodeRefusal_;
};
