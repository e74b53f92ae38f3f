#pragma once

#include "platform/printers.h"

#include <QStringList>
#include <functional>

// A printer list for tests: whatever printers and default a test gives it. Installed for
// the object's life.
class FakePrinterList : public PrinterListService {
public:
    FakePrinterList(QStringList printers, QString defaultPrinter);
    ~FakePrinterList() override;
    FakePrinterList(const FakePrinterList&) = delete;
    FakePrinterList& operator=(const FakePrinterList&) = delete;

    QStringList Printers() override { return printers_; }
    QString DefaultPrinter() override { return default_; }

private:
    QStringList printers_;
    QString default_;
    PrinterListService* previous_;
};

// Printer dialogs for tests: the save dialog answers with a fixed path (empty: cancel)
// and records what it proposed; the print and setup dialogs run a test's function, or
// answer Cancel. Installed for the object's life.
class ScriptedPrinterDialogs : public PrinterDialogs {
public:
    explicit ScriptedPrinterDialogs(QString pdfPath = {});
    ~ScriptedPrinterDialogs() override;
    ScriptedPrinterDialogs(const ScriptedPrinterDialogs&) = delete;
    ScriptedPrinterDialogs& operator=(const ScriptedPrinterDialogs&) = delete;

    void SetPdfPath(const QString& path) { pdfPath_ = path; }
    QString ChoosePdfFile(const QString& proposedPath) override;
    bool PrintDialog(PrinterSetup& setup, int& firstPage, int& lastPage) override;
    bool PrinterSetupDialog(PrinterSetup& setup) override;

    std::function<bool(PrinterSetup&, int&, int&)> onPrintDialog;
    std::function<bool(PrinterSetup&)> onSetupDialog;
    QStringList proposed;

private:
    QString pdfPath_;
    PrinterDialogs* previous_;
};
