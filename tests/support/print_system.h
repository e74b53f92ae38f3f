#pragma once

#include <QString>
#include <QStringList>
#include <QTemporaryDir>

// A private print system for tests: a CUPS scheduler of its own, with its configuration,
// spool, cache and log in a temporary folder and a socket there, never the machine's.
// Its queues use the PDF printer driver, whose jobs come out as PDF files in a folder per
// queue inside the same temporary folder. While it runs, this process and the programs it
// starts print through it (CUPS_SERVER). Everything it started stops when the object
// goes, also when a test fails.
//
// The PDF driver only runs as root and reads its settings from /etc/cups: each queue gets
// a file /etc/cups/cups-pdf-addrina-test-<process>-<n>.conf, removed with the object.
class TestPrintSystem {
public:
    TestPrintSystem();
    ~TestPrintSystem();
    TestPrintSystem(const TestPrintSystem&) = delete;
    TestPrintSystem& operator=(const TestPrintSystem&) = delete;

    // Empty while all went well; otherwise what failed first.
    QString Error() const { return error_; }

    // A PDF queue with this default paper ("A4", "Letter"); false (and Error) on failure.
    bool AddPdfQueue(const QString& name, const QString& paper);
    bool SetDefault(const QString& name);
    // The queue stays but refuses every new job with this reason.
    bool RejectJobs(const QString& name, const QString& reason);
    bool RemoveQueue(const QString& name);

    // Waits until the queue has no job left to do and has made `count` PDF files; their
    // paths, oldest first (fewer when it gave up after the timeout).
    QStringList WaitForPdfs(const QString& queue, int count, int timeoutMs = 60000);
    // The number of jobs the queue has completed.
    int CompletedJobs(const QString& queue);
    // The scheduler's page log: a line per page a queue printed, with its copies.
    QString PageLog() const;
    // The scheduler's log, for a failing test's message.
    QString Log() const;

private:
    // Runs a CUPS command against this scheduler; true when it succeeded.
    bool Run(const QString& program, const QStringList& arguments, QString* output);
    // The same for a change the test relies on: a failure is kept as Error.
    bool Admin(const QString& program, const QStringList& arguments);
    QString Path(const QString& name) const { return dir_.filePath(name); }
    QString OutputFolder(const QString& queue) const { return Path(QStringLiteral("out/") + queue); }

    QTemporaryDir dir_;
    qint64 scheduler_ = 0;
    QString error_;
    QStringList driverConfigs_;
    QByteArray previousServer_;
    bool hadServer_ = false;
};
