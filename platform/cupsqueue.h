#pragma once
// The system's print queues, asked of the CUPS scheduler directly (the one CUPS_SERVER or
// the system's settings name). A job goes to a queue as a PDF file the program wrote
// itself, so the queue prints what "PDF file" would have saved, and a queue that refuses
// the job is told apart from one that took it.

#include <QSizeF>
#include <QString>
#include <QStringList>
#include <optional>

// The queues in name order; empty without a scheduler.
QStringList CupsQueueNames();
// The queue the system prints on by default; empty when it names none.
QString CupsDefaultQueue();
// One of the queue's descriptions, e.g. "printer-make-and-model" or "printer-location";
// empty when the queue is unknown or has none.
QString CupsQueueAttribute(const QString& queue, const char* name);
// The paper the queue takes when a job names none, upright, in inches; nothing when the
// queue is unknown or does not say.
std::optional<QSizeF> CupsQueuePaper(const QString& queue);

struct CupsJob {
    QString title;
    int copies = 1;
    // Every page's size, so the queue neither picks other paper nor scales to fit its own.
    QSizeF paperInches;
};

// Sends the PDF file to the queue. Empty when the scheduler took the job; otherwise its
// reason for refusing it.
QString SubmitPdfToQueue(const QString& queue, const QString& pdfPath, const CupsJob& job);
