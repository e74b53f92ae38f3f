#pragma once

#include <QString>
#include <stdexcept>

// A refusal of the report canvas: a call made in the wrong run state, a missing stream,
// a report stream it cannot read.
class EReportPrinter : public std::runtime_error {
public:
    explicit EReportPrinter(const QString& message) : std::runtime_error(message.toStdString()), message_(message) {}
    QString Message() const { return message_; }

private:
    QString message_;
};

// Thrown by the first canvas operation after AbortReport to end the drawing handler; the
// run catches it and reports nothing.
class EReportAborted {};

namespace ReportErrors {
inline const QString AlreadyPrinting = QStringLiteral("Invalid method call.  ReportPrinter already printing.");
inline const QString NotPrinting = QStringLiteral("Invalid method call.  ReportPrinter is not printing.");
inline const QString NoStream = QStringLiteral("StreamMode is smUser but Stream is nil");
inline const QString UnexpectedCode = QStringLiteral("Unexpected code found in report file.");
inline const QString NoPrinters = QStringLiteral("No printers are defined, aborting print job.");
// A run to "PDF file" is told where to write; the window asks the user before it starts.
inline const QString NoPdfFile = QStringLiteral("No file was chosen to save the PDF in.");
} // namespace ReportErrors
