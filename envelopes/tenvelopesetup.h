#pragma once
// The "Print Envelopes" window: the envelope size with the address block's offsets for
// it, the return address, the barcode, the font and fit, which records, the printer with the way it
// takes envelopes and its calibration, and "Print" and "Preview". What the window shows is
// kept in "ADR.ini" when it prints; the printing itself is handed to the print path given.

#include "addressfile/runrecords.h"
#include "envelopes/envelopeprint.h"

#include <QDialog>
#include <functional>

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QFontComboBox;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;

// One print or preview as the window asks for it; the printer's feed and calibration are
// the print path's to add.
struct EnvelopeRequest {
    EnvelopeJob job;
    RunRecords records;
    bool printToPrinter = true;
};

class TEnvelopeSetupScreen : public QDialog {
    Q_OBJECT
public:
    using PrintPath = std::function<void(const EnvelopeRequest& request, const QString& printerName)>;

    TEnvelopeSetupScreen(const QStringList& printers, const QString& printer, PrintPath print,
                         QWidget* parent = nullptr);

    // The address file's fields, which a Code 128 or Data Matrix barcode can hold.
    void SetBarcodeFields(const QStringList& fields);
    // With no filter set, "Records matching filter" is off and "All records" chosen.
    void SetFilterAvailable(bool available);
    // The request as the controls stand.
    EnvelopeRequest Request(bool printToPrinter) const;
    EnvelopeFeed Feed() const;

    QComboBox* SizeCombo;
    QDoubleSpinBox* OffsetRight;
    QDoubleSpinBox* OffsetDown;
    QCheckBox* ReturnAddressCheck;
    QPlainTextEdit* ReturnAddressEdit;
    QFontComboBox* FontCombo;
    QSpinBox* FontSizeSpin;
    QCheckBox* BoldCheck;
    QCheckBox* FitCheck;
    QRadioButton* rbQAll;
    QRadioButton* rbQFilter;
    QRadioButton* rbOnlyThis;
    QCheckBox* StartCurrentCheck;
    QComboBox* EnvelopeBarcodeKindCombo;
    QComboBox* EnvelopeBarcodeFieldCombo;
    QComboBox* EnvelopeBarcodeCornerCombo;
    QComboBox* PrinterCombo;
    QComboBox* FeedCombo;
    QComboBox* FlapCombo;
    QComboBox* FaceCombo;
    QPushButton* CalibrateButton;
    QPushButton* PrintNow;
    QPushButton* Previewbutton;
    QPushButton* ReturnButton;

private:
    void SizeComboChange();
    void PrinterComboChange();
    void FeedComboChange();
    void CalibrateButtonClick();
    void Print(bool printToPrinter);
    EnvelopeSize ChosenSize() const;
    BarcodeChoice ChosenBarcode() const;

    PrintPath print_;
    QString barcodeField_; // as kept, chosen once the fields are known
};
