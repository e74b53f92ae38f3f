#include "report/tcanvasreport.h"

#include "platform/messages.h"

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
    return job_.Begin(Printer()) && Canvas().Begin(job_.Device());
}

void TReportPrinter::CloseOutput(bool aborted)
{
    if (aborted && Canvas().Active())
        job_.Abort();
    Canvas().End();
    if (!job_.Finish(aborted))
        ShowInformation(QStringLiteral("Unable to write to ") + job_.FileName());
}
