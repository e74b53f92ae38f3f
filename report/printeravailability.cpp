#include "report/printeravailability.h"

#include "platform/messages.h"
#include "platform/printers.h"

QString PrinterCheckMessage(const QStringList& printers, const QString& defaultPrinter)
{
    if (printers.isEmpty())
        return QStringLiteral("There are no installed printers.\r\nUnable to perform printer related operations");
    if (defaultPrinter.isEmpty() || !printers.contains(defaultPrinter))
        return QStringLiteral("There is no default printer selected.\r\nUnable to perform printer related operations");
    return {};
}

bool CheckPrinterAvailability()
{
    const QString warning = PrinterCheckMessage(InstalledPrinters(), DefaultPrinterName());
    if (warning.isEmpty())
        return true;
    ShowInformation(warning);
    return false;
}
