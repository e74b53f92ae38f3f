#pragma once

#include "report/tcanvasreport.h"

#include <QDialog>

class AddressSession;
class QCheckBox;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;

// "Print Report": the four built-in reports, their title, the records to include, and
// Print or Preview; the dialog stays open between runs.
class TReportSetup : public QDialog {
    Q_OBJECT

public:
    TReportSetup(AddressSession& session, QWidget* parent = nullptr);

    QListWidget* ReportList;
    QLineEdit* TitleField;
    QCheckBox* PrintCodesBox;
    QRadioButton* rbQAll;
    QRadioButton* rbQFilter;
    QRadioButton* rbOnlyThis;
    QCheckBox* StartCurrentCheck;
    QCheckBox* OneRecordPerPage;
    QPushButton* PrintNow;
    QPushButton* Previewbutton;
    QPushButton* PrinterSetup;
    QPushButton* ReturnButton;
    QPushButton* Helpbutton;
    // The print settings: printer, copies, paper.
    TReportPrinter ReportPrinter1;

    void PrintNowClick();
    void PreviewbuttonClick();
    void PrinterSetupClick();

private:
    void DoPrintBuiltIns(bool print);

    AddressSession& session_;
};
