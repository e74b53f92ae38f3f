#pragma once

#include "platform/printers.h"

#include <QDialog>

class QComboBox;
class QPushButton;
class QRadioButton;

// "Printer Setup": the printer of the next jobs, chosen from the installed printers
// (with "PDF file"), its paper and the orientation. Ok writes them to the setup.
class TPrinterSetupDialog : public QDialog {
    Q_OBJECT

public:
    TPrinterSetupDialog(PrinterSetup& setup, QWidget* parent = nullptr);

    QComboBox* PrinterCombo;
    QComboBox* PaperCombo;
    QRadioButton* PortraitButton;
    QRadioButton* LandscapeButton;
    QPushButton* OkButton;
    QPushButton* CancelButton;

    void accept() override;

private:
    // The papers of the chosen printer, with current (upright, inches) selected when it
    // is among them and added as a custom size when not.
    void FillPapers(QSizeF current);

    PrinterSetup& setup_;
};
