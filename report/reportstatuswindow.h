#pragma once

#include "report/reportprogress.h"

#include <QDialog>
#include <QString>
#include <exception>

class QLabel;
class QPushButton;
class TBaseReport;

// The texts one printing command gives its status window.
struct ReportStatusTexts {
    QString cancelQuestion;  // "Cancel Report Printing?"
    QString printCanceled;   // "\rReport Print Canceled!"
    QString previewCanceled; // "\rReport Preview Canceled!"
    QString previewStopped = QStringLiteral("\rPreview Stopped at page %p!");
    QString printFailed;      // "\rReport Print Failed!", followed by the reason
    QString printCompleted;   // "\rReport Print Completed!"
    QString previewCompleted; // "\rReport Preview Ready!"
    // Whether a preview that completed closes the window by itself.
    bool closeWhenPreviewReady = false;
    // Whether a press of the button during the run closes the window once the run ends.
    bool closeAfterPressDuringRun = false;
};

// The small modal window every printing command shows while its report runs: a status
// label the report writes to, and a button that is Cancel while printing, Stop while
// previewing, and Ok once the run has ended. Showing the window runs the report; nothing
// else of the program takes input until it closes. The window watches the run: it shows
// each page's status, lets events through once a page, and cancels when the user says so.
class TReportStatusWindow : public QDialog, private ReportProgress {
    Q_OBJECT

public:
    // The report (not owned) runs on the window's first showing; preview says whether it
    // records for a preview or prints.
    TReportStatusWindow(TBaseReport& report, bool preview, ReportStatusTexts texts, QWidget* parent = nullptr);
    ~TReportStatusWindow() override;

    QLabel* Label1;
    QPushButton* CancelButton;

    bool Preview() const { return preview_; }
    // Set by Stop in a preview: the drawing routine ends before its next record.
    bool StopRequested() const { return stopRequested_; }
    bool Aborted() const;
    bool Finished() const { return finished_; }

    void CancelButtonClick();
    // A failure the drawing routine threw (other than a cancel) ends the window; the
    // command that showed it calls this after exec to get the failure back.
    void RethrowFailure() const;

    // Escape and the close box: during the run they ask as Cancel does (Stop in a
    // preview); the window stays until the run has ended.
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void Status(const QString& text) override;
    void Breathe() override;
    bool Cancelled() const override { return cancelled_; }

    void FormActivate();
    void RunReport();

    TBaseReport& report_;
    bool preview_;
    ReportStatusTexts texts_;
    bool activated_ = false;
    bool stopRequested_ = false;
    bool cancelled_ = false;
    bool pressedDuringRun_ = false;
    bool running_ = false;
    bool finished_ = false;
    std::exception_ptr failure_;
};
