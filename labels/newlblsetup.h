#pragma once
// The "Print Labels" window: the saved label setups of the Labels folder with the chosen
// one described, "New", "Modify" and "Delete", which records to print, the printer, and
// "Print", "Preview" and "Print Sample Page". Which positions and how many labels each
// record gets are asked for first ("Labels Print"); the printing itself is handed to the
// print path given to the window.

#include "addressfile/runrecords.h"
#include "labels/labelsheet.h"
#include "labels/tzintlabelfile.h"

#include <QDialog>
#include <functional>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QListWidget;
class QPushButton;
class QRadioButton;
class TApollo;
class TTable;
class TZintLabelPanel;

// One print, preview or sample page as the window asks for it.
struct LabelPrintJob {
    const TZintLabelFile* setup = nullptr;
    PositionSelection selection{};
    int copies = 1;
    RunRecords records;
    int printerIndex = -1;
    bool printToPrinter = true;
    bool onePageOnly = false;
};

class TNewLabelSetupScreen : public QDialog {
    Q_OBJECT
public:
    using PrintPath = std::function<void(const LabelPrintJob& job)>;

    // printers: the names to offer; selectPrinter is told of each choice at once.
    TNewLabelSetupScreen(TTable* table, TApollo* apollo, const QStringList& printers, int currentPrinter,
                         std::function<void(int)> selectPrinter, PrintPath print, QWidget* parent = nullptr);

    // With no filter set, "Records matching filter" is off and "All records" chosen.
    void SetFilterAvailable(bool available);
    const TZintLabelFile& Setup() const { return setup_; }

    QListWidget* FileListBox1;
    QLabel* LabelDesc;
    QPushButton* NewButton;
    QPushButton* ModifyButton;
    QPushButton* DeleteButton;
    QGroupBox* WhatToPrint;
    QRadioButton* rbQAll;
    QRadioButton* rbQFilter;
    QRadioButton* rbOnlyThis;
    QCheckBox* StartCurrentCheck;
    QGroupBox* PrinterPanel;
    QComboBox* PrinterCombo;
    QPushButton* CalibrateButton;
    QPushButton* PrintNow;
    QPushButton* Previewbutton;
    QPushButton* PrintSamplePageButton;
    QPushButton* ReturnButton;
    TZintLabelPanel* LabelPanel;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void RefreshList(const QString& select);
    void FileListBox1Change();
    void SetLabelButtons();
    void NewButtonClick();
    void ModifyButtonClick();
    void DeleteButtonClick();
    void Print(bool printToPrinter, bool onePageOnly);
    void CalibrateButtonClick();
    QString SelectedPath() const;

    TTable* table_;
    TZintLabelFile setup_;
    PositionSelection selection_ = AllPositions();
    int copies_ = 1;
    std::function<void(int)> selectPrinter_;
    PrintPath print_;
    bool isNew_ = false;
    bool activated_ = false;
};
