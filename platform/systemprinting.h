#pragma once

#include "platform/printers.h"

// The printing system's printers (CUPS) and the platform's print, setup and save dialogs.
class SystemPrinters : public PrinterListService {
public:
    QStringList Printers() override;
    QString DefaultPrinter() override;
};

class PlatformDialogs : public PrinterDialogs {
public:
    QString ChoosePdfFile(const QString& proposedPath) override;
    bool PrintDialog(PrinterSetup& setup, int& firstPage, int& lastPage) override;
    bool PrinterSetupDialog(PrinterSetup& setup) override;
};

// A printer's default paper in inches, upright; the locale's (letter or A4) when the
// printer names none.
QSizeF SystemDefaultPaper(const QString& printer);
