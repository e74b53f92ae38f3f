#include "scripted_printers.h"

FakePrinterList::FakePrinterList(QStringList printers, QString defaultPrinter)
    : printers_(std::move(printers)), default_(std::move(defaultPrinter)), previous_(SetPrinterListService(this))
{}

FakePrinterList::~FakePrinterList()
{
    SetPrinterListService(previous_);
}

ScriptedPrinterDialogs::ScriptedPrinterDialogs(QString pdfPath)
    : pdfPath_(std::move(pdfPath)), previous_(SetPrinterDialogs(this))
{}

ScriptedPrinterDialogs::~ScriptedPrinterDialogs()
{
    SetPrinterDialogs(previous_);
}

QString ScriptedPrinterDialogs::ChoosePdfFile(const QString& proposedPath)
{
    proposed.append(proposedPath);
    return pdfPath_;
}

bool ScriptedPrinterDialogs::PrintDialog(PrinterSetup& setup, int& firstPage, int& lastPage)
{
    return onPrintDialog && onPrintDialog(setup, firstPage, lastPage);
}

bool ScriptedPrinterDialogs::PrinterSetupDialog(PrinterSetup& setup)
{
    return onSetupDialog && onSetupDialog(setup);
}
