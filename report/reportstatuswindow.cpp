#include "report/reportstatuswindow.h"

#include "platform/messages.h"
#include "report/tbasereport.h"

#include <QCoreApplication>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

TReportStatusWindow::TReportStatusWindow(TBaseReport& report, bool preview, ReportStatusTexts texts, QWidget* parent)
    : QDialog(parent), report_(report), preview_(preview), texts_(std::move(texts))
{
    setObjectName(QStringLiteral("TReportStatusWindow"));
    setWindowTitle(preview ? QStringLiteral("Preview Status") : QStringLiteral("Print Status"));
    // A run lets events through: another command started meanwhile would work on the same table.
    setWindowModality(Qt::ApplicationModal);
    Label1 = new QLabel(this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setAlignment(Qt::AlignCenter);
    Label1->setWordWrap(true); // a failure names the file
    QFont bold(QStringLiteral("Arial"));
    bold.setBold(true);
    Label1->setFont(bold);
    Label1->setMinimumSize(260, 60);
    CancelButton = new QPushButton(preview ? QStringLiteral("Stop") : QStringLiteral("Cancel"), this);
    CancelButton->setObjectName(QStringLiteral("CancelButton"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Label1);
    layout->addWidget(CancelButton, 0, Qt::AlignHCenter);
    connect(CancelButton, &QPushButton::clicked, this, &TReportStatusWindow::CancelButtonClick);
    report_.SetProgress(this);
}

TReportStatusWindow::~TReportStatusWindow()
{
    report_.SetProgress(nullptr);
}

void TReportStatusWindow::Status(const QString& text)
{
    Label1->setText(text);
}

// The run's only chance for the window to repaint and for Cancel to be pressed.
void TReportStatusWindow::Breathe()
{
    QCoreApplication::processEvents();
}

bool TReportStatusWindow::Aborted() const
{
    return report_.Aborted();
}

void TReportStatusWindow::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!activated_) {
        activated_ = true;
        FormActivate();
    }
}

// The run starts once the window is on screen, so the user sees the status from page 1.
void TReportStatusWindow::FormActivate()
{
    QTimer::singleShot(0, this, &TReportStatusWindow::RunReport);
}

void TReportStatusWindow::RunReport()
{
    running_ = true;
    try {
        report_.RunReport();
    } catch (...) {
        running_ = false;
        finished_ = true;
        failure_ = std::current_exception();
        QDialog::reject();
        return;
    }
    running_ = false;
    finished_ = true;
    CancelButton->setText(QStringLiteral("Ok"));
    const bool aborted = report_.Aborted();
    const QString failure = report_.Failure();
    QString ending;
    if (!failure.isEmpty())
        ending =
            texts_.printFailed + QLatin1Char('\r') + QString(failure).replace(QLatin1Char('%'), QStringLiteral("%%"));
    else if (aborted)
        ending = preview_ ? texts_.previewCanceled : texts_.printCanceled;
    else if (stopRequested_)
        ending = texts_.previewStopped;
    else
        ending = preview_ ? texts_.previewCompleted : texts_.printCompleted;
    report_.SetStatusFormat(ending);
    Label1->setText(report_.StatusLine());
    const bool previewReady = preview_ && !aborted && !stopRequested_;
    if ((previewReady && texts_.closeWhenPreviewReady) ||
        (pressedDuringRun_ && texts_.closeAfterPressDuringRun && failure.isEmpty()))
        accept();
}

void TReportStatusWindow::RethrowFailure() const
{
    if (failure_)
        std::rethrow_exception(failure_);
}

void TReportStatusWindow::CancelButtonClick()
{
    const QString caption = CancelButton->text().toUpper();
    if (caption != QStringLiteral("CANCEL") && caption != QStringLiteral("STOP")) {
        accept();
        return;
    }
    if (running_)
        pressedDuringRun_ = true;
    if (preview_) {
        stopRequested_ = true;
        return;
    }
    if (AskYesNo(texts_.cancelQuestion, windowTitle()))
        cancelled_ = true;
}

void TReportStatusWindow::reject()
{
    if (finished_)
        QDialog::reject();
    else
        CancelButtonClick();
}
