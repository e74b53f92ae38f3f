#pragma once
// Printing and previewing envelopes from the "Print Envelopes" window: chooses the
// records, turns and calibrates the page for the printer (the preview shows it upright and
// as designed), runs the envelopes in the status window and opens the preview as "Preview
// Envelopes"; afterwards, what did not fit is told.

class AddressSession;
class QString;
class QWidget;
struct EnvelopeRequest;

// The table's record, filter and order are back as they were however it ends.
void DoPrintEnvelopes(AddressSession& session, const EnvelopeRequest& request, const QString& printerName,
                      QWidget* parent);
