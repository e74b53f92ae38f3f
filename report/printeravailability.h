#pragma once

#include <QString>
#include <QStringList>

// The check that printing can work at all: some printer exists and one of them is the
// default. Empty when printing can go ahead, else the warning to show.
QString PrinterCheckMessage(const QStringList& printers, const QString& defaultPrinter);

// Runs the check on the installed printers and shows its warning in an information box;
// false when printing cannot work. Since "PDF file" is always installed, it fails only
// when the printing system itself does.
bool CheckPrinterAvailability();
