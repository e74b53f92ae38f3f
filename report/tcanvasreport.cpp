#include "report/tcanvasreport.h"

#include "platform/messages.h"

#include <QCoreApplication>

TReportPrinter::TReportPrinter() : TCanvasReport([this] { job_.NewPage(); }) {}

bool TReportPrinter::CanRun()
{
    if (!InstalledPrinters().isEmpty())
        return true;
    ShowMessageBox(QStringLiteral("No printers are defined, aborting print job."), QStringLiteral("Error"),
                   MbOk | MbIconStop);
    return false;
}

bool TReportPrinter::OpenOutput()
{
    pdf_.reset();
    if (!job_.Begin(Printer()))
        return false;
    if (job_.PdfPath().isEmpty())
        return Canvas().Begin(job_.Device());
    pdf_.emplace([this]() -> ReportOutput* { return Canvas().Begin(job_.Device()) ? &Canvas() : nullptr; });
    return pdf_->Open(job_.PdfPath(), Printer().JobName(), QCoreApplication::applicationName(),
                      Printer().PaperSizeInches());
}

ReportOutput& TReportPrinter::Output()
{
    return pdf_ ? static_cast<ReportOutput&>(*pdf_) : Canvas();
}

void TReportPrinter::CloseOutput(bool aborted)
{
    const bool written = !pdf_ || pdf_->Close(aborted);
    pdf_.reset();
    if (aborted && Canvas().Active())
        job_.Abort();
    Canvas().End();
    if (!job_.Finish(aborted || !written) || !written)
        ShowInformation(QStringLiteral("Unable to write to ") + job_.FileName());
}
