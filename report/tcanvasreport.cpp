#include "report/tcanvasreport.h"

#include <QCoreApplication>

TReportPrinter::TReportPrinter() : TCanvasReport([this] { job_.NewPage(); }) {}

bool TReportPrinter::CanRun()
{
    if (!InstalledPrinters().isEmpty())
        return true;
    MarkFailed(ReportErrors::NoPrinters);
    return false;
}

bool TReportPrinter::OpenOutput()
{
    pdf_.reset();
    if (Printer().IsPdfFile() && Printer().PdfFileName().isEmpty()) {
        MarkFailed(ReportErrors::NoPdfFile);
        return false;
    }
    if (!job_.Begin(Printer())) {
        if (!job_.Failure().isEmpty())
            JobFailed();
        return false;
    }
    pdf_.emplace([this]() -> ReportOutput* { return Canvas().Begin(job_.Device()) ? &Canvas() : nullptr; });
    pdf_->Open(job_.PdfFile(), Printer().JobName(), QCoreApplication::applicationName(), Printer().PaperSizeInches());
    return true;
}

ReportOutput& TReportPrinter::Output()
{
    return pdf_ ? static_cast<ReportOutput&>(*pdf_) : Canvas();
}

void TReportPrinter::CloseOutput(bool aborted)
{
    if (pdf_)
        pdf_->Close(aborted);
    pdf_.reset();
    Canvas().End();
    if (!job_.Finish(aborted))
        JobFailed();
}

void TReportPrinter::JobFailed()
{
    const QString target = job_.Queue().isEmpty() ? QStringLiteral("write to ") + job_.FileName()
                                                  : QStringLiteral("print on ") + job_.Queue();
    MarkFailed(QStringLiteral("Unable to %1: %2").arg(target, job_.Failure()));
}
