#include "labels/calibrationdialog.h"

#include "labels/dialogrow.h"
#include "labels/labelrun.h"
#include "platform/identity.h"
#include "platform/messages.h"
#include "platform/settings.h"
#include "platform/whatsthis.h"
#include "report/printrun.h"
#include "report/tcanvasreport.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QLineEdit* ValueField(QFormLayout* form, const char* name, const QString& caption, double value)
{
    auto* field = new QLineEdit(QLocale::c().toString(value, 'g', 6));
    field->setObjectName(QString::fromLatin1(name));
    form->addRow(caption, field);
    return field;
}

} // namespace

TPrinterCalibrationDialog::TPrinterCalibrationDialog(const QString& printerName, const LabelTemplate& sheet,
                                                     QWidget* parent)
    : QDialog(parent), printer_(printerName), sheet_(sheet)
{
    setObjectName(QStringLiteral("PrinterCalibrationDialog"));
    setWindowTitle(QStringLiteral("Printer Calibration - ") + printerName);
    const PrinterCalibration kept = ReadPrinterCalibration(printerName);
    auto* form = new QFormLayout;
    HorzOffset =
        ValueField(form, "HorzOffset", QStringLiteral("Move right by (mm, -10 to 10)"), kept.OffsetXMillimetres);
    VertOffset =
        ValueField(form, "VertOffset", QStringLiteral("Move down by (mm, -10 to 10)"), kept.OffsetYMillimetres);
    HorzScale = ValueField(form, "HorzScale", QStringLiteral("Horizontal scale (%, 95 to 105)"), kept.ScaleXPercent);
    VertScale = ValueField(form, "VertScale", QStringLiteral("Vertical scale (%, 95 to 105)"), kept.ScaleYPercent);
    auto* buttons = new QHBoxLayout;
    PrintSheetButton = DialogButton(buttons, "PrintSheetButton", QStringLiteral("Print Calibration Sheet"));
    buttons->addStretch();
    OkButton = DialogButton(buttons, "OkButton", QStringLiteral("Ok"), true);
    CancelButton = DialogButton(buttons, "CancelButton", QStringLiteral("Cancel"));
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(buttons);
    SetWhatsThis(
        this,
        {
            {"HorzOffset",
             "How far to move every label to the right, in millimetres; a negative value moves them left."},
            {"VertOffset", "How far to move every label down, in millimetres; a negative value moves them up."},
            {"HorzScale", "Stretches (above 100) or shrinks (below 100) the sheet across, from its left edge."},
            {"VertScale", "Stretches (above 100) or shrinks (below 100) the sheet down, from its top edge."},
            {"PrintSheetButton", "Prints each label's outline with a small cross on its corner, with these values, to "
                                 "lay on a label sheet and measure."},
            {"OkButton",
             "Keeps these values for this printer; every label printed on it follows them, the preview does not."},
            {"CancelButton", "Closes without changing the calibration."},
        });
    connect(OkButton, &QPushButton::clicked, this, &TPrinterCalibrationDialog::OkButtonClick);
    connect(CancelButton, &QPushButton::clicked, this, &QDialog::reject);
    connect(PrintSheetButton, &QPushButton::clicked, this, &TPrinterCalibrationDialog::PrintSheetButtonClick);
}

std::optional<PrinterCalibration> TPrinterCalibrationDialog::Entered()
{
    PrinterCalibration c;
    const std::pair<QLineEdit*, double*> fields[] = {{HorzOffset, &c.OffsetXMillimetres},
                                                     {VertOffset, &c.OffsetYMillimetres},
                                                     {HorzScale, &c.ScaleXPercent},
                                                     {VertScale, &c.ScaleYPercent}};
    for (const auto& [field, value] : fields) {
        bool ok = false;
        // Either decimal point is taken, whatever the desktop's language.
        *value = QLocale::c().toDouble(field->text().trimmed().replace(QLatin1Char(','), QLatin1Char('.')), &ok);
        if (!ok) {
            ShowInformation(QStringLiteral("Please enter a number in every field"));
            field->setFocus();
            return std::nullopt;
        }
    }
    if (const auto problem = CheckCalibration(c)) {
        ShowInformation(*problem);
        return std::nullopt;
    }
    return c;
}

void TPrinterCalibrationDialog::OkButtonClick()
{
    const auto entered = Entered();
    if (!entered)
        return;
    try {
        WritePrinterCalibration(printer_, *entered);
    } catch (const SettingsWriteError& e) {
        ShowInformation(e.Message());
        return;
    }
    accept();
}

void TPrinterCalibrationDialog::PrintSheetButtonClick()
{
    if (const auto entered = Entered())
        PrintCalibrationSheet(sheet_, *entered, printer_);
}

void PrintCalibrationSheet(const LabelTemplate& sheet, const PrinterCalibration& calibration,
                           const QString& printerName)
{
    TReportPrinter report;
    report.SetTitle(ProductName());
    report.Printer().SetPrinter(printerName);
    const QString question = SetLabelPaper(report, sheet);
    if ((!question.isEmpty() && !AskYesNo(question, QStringLiteral("Printer Calibration"))) || !ReadyToPrint(report))
        return;
    report.OnPrint = [&](TBaseReport& r) { DrawLabelLines(r, CalibrationSheetLines(sheet, calibration)); };
    report.RunReport();
}
