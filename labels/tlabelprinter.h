#pragma once
// Printing and previewing labels from the "Print Labels" window: DoPrint chooses the
// records, sets the paper and runs the labels in the status window TLabelPrinter (Cancel
// while printing, Stop while previewing), then opens the preview as "Preview Labels".

#include "report/printrun.h"

class AddressSession;
class QWidget;
struct LabelPrintJob;

// One print or preview run of labels, with the label texts of the status window.
class TLabelPrinter : public TPrintRun {
public:
    TLabelPrinter(const PrinterSetup& printer, bool printToPrinter);
};

ReportStatusTexts LabelRunTexts();

// Prints or previews the job on the named printer over the session's address table; the
// table's record, filter and order are back as they were however it ends.
void DoPrint(AddressSession& session, const LabelPrintJob& job, const QString& printerName, QWidget* parent);
