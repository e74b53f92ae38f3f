#include "report/treportfiler.h"

bool TReportFiler::CanRun()
{
    if (!Stream())
        throw EReportPrinter(ReportErrors::NoStream);
    return true;
}

bool TReportFiler::OpenOutput()
{
    writer_.emplace(*Stream());
    return true;
}

void TReportFiler::CloseOutput(bool)
{
    writer_.reset();
}
