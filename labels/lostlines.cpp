#include "labels/lostlines.h"

#include <QLocale>
#include <QStringList>

namespace {

constexpr std::size_t kRecordsNamed = 5;

} // namespace

void LabelTally::Add(long recNo, const FaceLines& lines)
{
    ++labels_;
    if (!lines.Lost())
        return;
    ++shortLabels_;
    // A record's copies follow one another.
    if (shortRecordCount_ > 0 && lastShortRecord_ == recNo)
        return;
    ++shortRecordCount_;
    lastShortRecord_ = recNo;
    if (shortRecords_.size() < kRecordsNamed)
        shortRecords_.push_back(recNo);
}

void LabelTally::RefuseBarcode(long recNo, const QString& why)
{
    if (barcodeRefusals_++ == 0)
        firstBarcodeRefusal_ = QStringLiteral("%1 (record %2)").arg(why).arg(recNo);
}

QString LabelTally::BarcodeNote(const QString& pieces) const
{
    if (barcodeRefusals_ == 0)
        return {};
    const QLocale locale;
    return QStringLiteral("%1 of %2 %3 were printed without their barcode.\r\r%4")
        .arg(locale.toString(barcodeRefusals_), locale.toString(labels_), pieces, firstBarcodeRefusal_);
}

QString LabelTally::LostLinesNote() const
{
    if (shortLabels_ == 0)
        return {};
    QStringList records;
    for (long recNo : shortRecords_)
        records << QString::number(recNo);
    if (shortRecordCount_ > static_cast<int>(shortRecords_.size()))
        records << QStringLiteral("...");
    const QLocale locale;
    return QStringLiteral("%1 of %2 labels lost address lines that did not fit on the label (%3 %4).\r\r"
                          "To print every line, turn on \"Adjust to Fit\" in the Label Design Screen, or choose "
                          "a smaller font, smaller margins or a taller label.")
        .arg(locale.toString(shortLabels_), locale.toString(labels_),
             shortRecordCount_ == 1 ? QStringLiteral("record") : QStringLiteral("records"),
             records.join(QStringLiteral(", ")));
}
