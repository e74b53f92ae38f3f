#pragma once

#include <QString>
#include <QStringList>

// The warning shown at start-up when printing cannot work: no printer at all, or printers
// but none chosen as the default. Empty when printing can go ahead.
QString PrinterCheckMessage(const QStringList& printers, const QString& defaultPrinter);
