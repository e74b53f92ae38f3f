#pragma once
// The cards of a vCard file as records for the import loop, each put into the address
// record's fields as the vCard mapping does; what has no place there is counted.

#include "exchange/exportfields.h"
#include "exchange/importloop.h"
#include "exchange/vcardreader.h"

#include <QByteArrayView>
#include <QMap>
#include <QString>

class VCardImportSource : public ImportSource {
public:
    // data must outlive the source; expected is the card count of the preview.
    VCardImportSource(QByteArrayView data, const TTable& table, long expected);

    long Expected() override { return expected_; }
    bool Next(std::vector<ImportValue>& values) override;
    long Position() const override { return line_; }

    // Property name -> how many were skipped over the cards given so far.
    const QMap<QString, int>& Skipped() const { return skipped_; }

private:
    VCardReader reader_;
    ExportFieldSet fields_;
    long expected_;
    long line_ = 0;
    VCard card_;
    QMap<QString, int> skipped_;
};
