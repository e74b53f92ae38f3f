#include "app/printercheck.h"

QString PrinterCheckMessage(const QStringList& printers, const QString& defaultPrinter)
{
    if (printers.isEmpty())
        return "There are no installed printers.\r\nUnable to perform printer related operations";
    if (defaultPrinter.isEmpty())
        return "There is no default printer selected.\r\nUnable to perform printer related operations";
    return {};
}
