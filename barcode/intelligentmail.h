#pragma once
// The data of a USPS Intelligent Mail barcode: the tracking code from the mailer's
// settings (barcode ID, service type, Mailer ID, serial number) and the routing code from
// the record's ZIP code. The settings live in ADR.ini, section [Intelligent Mail].
//
// Each piece gets its own serial number: the one set plus the record's number, so the
// same record prints the same barcode in every run of the same settings.

#include <QByteArray>
#include <QString>

struct IntelligentMailSettings {
    QString barcodeId;   // 2 digits, the second 0 to 4
    QString serviceType; // 3 digits (STID)
    QString mailerId;    // 6 or 9 digits
    QString serial;      // up to 9 digits with a six-digit Mailer ID, up to 6 with a nine-digit one

    bool operator==(const IntelligentMailSettings&) const = default;
};

IntelligentMailSettings ReadIntelligentMailSettings();
// Throws SettingsWriteError when ADR.ini cannot be written.
void WriteIntelligentMailSettings(const IntelligentMailSettings& settings);

// "<20-digit tracking code>-<routing code>" for the record with this number, the routing
// code being the ZIP code's digits (5, 9 or 11 of them). Throws BarcodeError naming what is
// wrong with the settings or the ZIP code.
QByteArray IntelligentMailData(const IntelligentMailSettings& settings, const QString& zip, long recNo);
