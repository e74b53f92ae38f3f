#pragma once
// "Printer Calibration": the offsets and scales kept for one printer, checked before they
// are kept, and a calibration sheet of the chosen layout printed with the values as they
// stand, so the user can measure, correct and print again.

#include "labels/calibration.h"

#include <QDialog>
#include <optional>

class QLineEdit;
class QPushButton;

class TPrinterCalibrationDialog : public QDialog {
    Q_OBJECT
public:
    TPrinterCalibrationDialog(const QString& printerName, const LabelTemplate& sheet, QWidget* parent = nullptr);

    QLineEdit* HorzOffset;
    QLineEdit* VertOffset;
    QLineEdit* HorzScale;
    QLineEdit* VertScale;
    QPushButton* PrintSheetButton;
    QPushButton* OkButton;
    QPushButton* CancelButton;

    void OkButtonClick();
    void PrintSheetButtonClick();

private:
    // The values typed, or nothing after a message saying what is wrong.
    std::optional<PrinterCalibration> Entered();

    QString printer_;
    LabelTemplate sheet_;
};

// Prints the calibration sheet of the layout on the printer, calibrated as given.
void PrintCalibrationSheet(const LabelTemplate& sheet, const PrinterCalibration& calibration,
                           const QString& printerName);
