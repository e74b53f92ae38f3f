#pragma once

// The platform's print, setup and save dialogs, made the program's own by GuardedApplication.
#include "platform/printers.h"

class PlatformDialogs : public PrinterDialogs {
public:
    QString ChoosePdfFile(const QString& proposedPath) override;
    bool PrintDialog(PrinterSetup& setup, int& firstPage, int& lastPage) override;
    bool PrinterSetupDialog(PrinterSetup& setup) override;
};
