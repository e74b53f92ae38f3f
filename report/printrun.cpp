#include "report/printrun.h"

#include "platform/identity.h"
#include "platform/messages.h"
#include "platform/placement.h"
#include "report/tpreviewform.h"
#include "session/addresssession.h"

TPrintRun::TPrintRun(const PrinterSetup& printer, bool preview, ReportStatusTexts texts)
    : preview_(preview), texts_(std::move(texts))
{
    for (TBaseReport* report : {static_cast<TBaseReport*>(&printer_), static_cast<TBaseReport*>(&filer_)}) {
        report->SetPrinterSetup(printer);
        report->SetTitle(ProductName());
        report->SetUnits(unInch);
        report->SetLineHeightMethod(lhmFont);
        for (const auto set : {&TBaseReport::SetMarginLeft, &TBaseReport::SetMarginRight, &TBaseReport::SetMarginTop,
                               &TBaseReport::SetMarginBottom})
            (report->*set)(0.5);
        report->SetStatusFormat(QStringLiteral("Printing Page %p\r%0\r%1"));
        report->StatusText() = QStringList{QString(), QString()};
    }
    filer_.SetStreamMode(smUser);
    filer_.SetStream(&stream_);
}

void TPrintRun::Execute(QWidget* parent, const QString& previewCaption)
{
    if (!preview_ && !ReadyToPrint(printer_)) {
        printer_.AbortReport();
        return;
    }
    {
        TReportStatusWindow window(Report(), preview_, texts_, parent);
        window_ = &window;
        CenterDialog(&window);
        window.exec();
        window.RethrowFailure();
    }
    if (Report().Aborted())
        return;
    if (OnRunEnded)
        OnRunEnded();
    if (!preview_)
        return;
    TPreviewForm preview(parent);
    CenterDialog(&preview);
    preview.setWindowTitle(previewCaption);
    preview.SetZoomMode(TPreviewForm::ZoomPageWidth);
    preview.FilePreview1.SetStream(&stream_);
    preview.exec();
}

void UseSessionPrinter(TBaseReport& report, const AddressSession& session)
{
    if (!session.PrinterName.isEmpty() && InstalledPrinters().contains(session.PrinterName))
        report.Printer().SetPrinter(session.PrinterName);
}

bool ReadyToPrint(TBaseReport& report)
{
    if (InstalledPrinters().isEmpty()) {
        ShowMessageBox(ReportErrors::NoPrinters, QStringLiteral("Error"), MbOk | MbIconStop);
        return false;
    }
    PrinterSetup& printer = report.Printer();
    if (!printer.IsPdfFile() || !printer.PdfFileName().isEmpty())
        return true;
    printer.SetPdfFileName(Dialogs().ChoosePdfFile(ProposedPdfPath(printer.Title())));
    return !printer.PdfFileName().isEmpty();
}

bool ShowPrintDialog(TBaseReport& report)
{
    int first = report.FirstPage();
    int last = report.LastPage();
    const bool chosen = Dialogs().PrintDialog(report.Printer(), first, last);
    report.SetFirstPage(first);
    report.SetLastPage(last);
    return chosen;
}

bool ShowPrinterSetup(TBaseReport& report)
{
    return Dialogs().PrinterSetupDialog(report.Printer());
}

void ShowSessionPrinterSetup(TBaseReport& report, AddressSession& session)
{
    if (ShowPrinterSetup(report))
        session.PrinterName = report.Printer().Printer();
}

ReportStatusTexts PrintRunTexts(const QString& kind)
{
    ReportStatusTexts texts;
    texts.cancelQuestion = QStringLiteral("Cancel %1 Printing?").arg(kind);
    texts.printCanceled = QStringLiteral("\r%1 Print Canceled!").arg(kind);
    texts.previewCanceled = QStringLiteral("\r%1 Preview Canceled!").arg(kind);
    texts.printFailed = QStringLiteral("\r%1 Print Failed!").arg(kind);
    texts.printCompleted = QStringLiteral("\r%1 Print Completed!").arg(kind);
    texts.previewCompleted = QStringLiteral("\r%1 Preview Ready!").arg(kind);
    return texts;
}

ReportStatusTexts ReportRunTexts()
{
    return PrintRunTexts(QStringLiteral("Report"));
}

void SayRunStartsAtTheFirstRecord()
{
    ShowInformation(QStringLiteral("Current record is out of range. Starting with first record"));
}
