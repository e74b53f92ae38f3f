#pragma once

// The printing system's printers (CUPS) and the platform's print, setup and save dialogs,
// made the program's own by GuardedApplication.
#include "platform/printers.h"

class SystemPrinters : public PrintingSystem {
public:
    QStringList Printers() override;
    QString DefaultPrinter() override;
    QPageSize DefaultPaper(const QString& printer) override;
    QString MakeAndModel(const QString& printer) override;
    QString Location(const QString& printer) override;
    std::unique_ptr<PrinterDevice> Open(const PrinterSetup& setup) override;
};

class PlatformDialogs : public PrinterDialogs {
public:
    QString ChoosePdfFile(const QString& proposedPath) override;
    bool PrintDialog(PrinterSetup& setup, int& firstPage, int& lastPage) override;
    bool PrinterSetupDialog(PrinterSetup& setup) override;
};
