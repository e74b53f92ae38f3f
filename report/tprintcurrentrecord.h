#pragma once

#include "report/tcanvasreport.h"

#include <QDialog>
#include <array>

class AddressSession;
class QCheckBox;
class QPushButton;

// "Print Current Record": which of the twenty items of the current record to print, and
// Print or Preview; the dialog stays open after a print.
class TPrintCurrentRecord : public QDialog {
    Q_OBJECT

public:
    TPrintCurrentRecord(AddressSession& session, QWidget* parent = nullptr);

    std::array<QCheckBox*, 20> Items;
    QCheckBox* All;
    QPushButton* PrintNow;
    QPushButton* Previewbutton;
    QPushButton* PrinterSetup;
    QPushButton* CancelButton;
    TReportPrinter ReportPrinter1;

    void Run(bool print);

private:
    AddressSession& session_;
};
