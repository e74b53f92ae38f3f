#include "envelopes/tenvelopesetup.h"

#include "labels/calibrationdialog.h"
#include "labels/dialogrow.h"
#include "platform/placement.h"
#include "platform/settings.h"
#include "platform/whatsthis.h"

#include <QBoxLayout>
#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFontComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>

namespace {

template <typename T>
T* Named(T* control, const char* objectName)
{
    control->setObjectName(QLatin1StringView(objectName));
    return control;
}

QDoubleSpinBox* OffsetSpin(const char* objectName)
{
    auto* spin = Named(new QDoubleSpinBox, objectName);
    spin->setRange(-kMaxEnvelopeOffset, kMaxEnvelopeOffset);
    spin->setSingleStep(0.5);
    spin->setDecimals(1);
    spin->setSuffix(QStringLiteral(" mm"));
    return spin;
}

QComboBox* ChoiceCombo(const char* objectName, const QStringList& items)
{
    auto* combo = Named(new QComboBox, objectName);
    combo->addItems(items);
    return combo;
}

// The envelope as a sheet of one label, its address block, so that the calibration sheet
// outlines the block on a page of the envelope's size.
LabelTemplate AddressBlockSheet(const EnvelopeSize& size, const EnvelopeOffsets& offsets)
{
    const QRectF block = AddressBlock(size, offsets);
    LabelTemplate sheet;
    sheet.TemplateName = size.key;
    sheet.LabelWidth = sheet.HorzPitch = block.width();
    sheet.LabelHeight = sheet.VertPitch = block.height();
    sheet.LeftMargin = block.left();
    sheet.TopMargin = block.top();
    sheet.Across = sheet.Down = 1;
    sheet.SheetWidth = size.inches.width();
    sheet.SheetHeight = size.inches.height();
    sheet.PaperCode = QStringLiteral("USERL");
    sheet.ShapeCode = QStringLiteral("SR");
    sheet.MakerCode = QStringLiteral("USER");
    return sheet;
}

} // namespace

TEnvelopeSetupScreen::TEnvelopeSetupScreen(const QStringList& printers, const QString& printer, PrintPath print,
                                           QWidget* parent)
    : QDialog(parent), print_(std::move(print))
{
    setObjectName(QStringLiteral("TEnvelopeSetupScreen"));
    setWindowTitle(QStringLiteral("Print Envelopes"));
    const EnvelopeOptions options = ReadEnvelopeOptions();

    auto* envelope = Named(new QGroupBox(QStringLiteral("Envelope")), "EnvelopePanel");
    auto* envelopeForm = new QFormLayout(envelope);
    SizeCombo = Named(new QComboBox, "SizeCombo");
    for (const EnvelopeSize& size : EnvelopeSizes())
        SizeCombo->addItem(size.caption, size.key);
    SizeCombo->setCurrentIndex(SizeCombo->findData(ChosenEnvelopeSize(options).key));
    OffsetRight = OffsetSpin("OffsetRight");
    OffsetDown = OffsetSpin("OffsetDown");
    envelopeForm->addRow(QStringLiteral("&Size:"), SizeCombo);
    envelopeForm->addRow(QStringLiteral("Address block &right:"), OffsetRight);
    envelopeForm->addRow(QStringLiteral("Address block &down:"), OffsetDown);

    auto* sender = Named(new QGroupBox(QStringLiteral("Return Address")), "ReturnAddressPanel");
    auto* senderColumn = new QVBoxLayout(sender);
    ReturnAddressCheck = DialogCheck(senderColumn, "ReturnAddressCheck", QStringLiteral("Print return &address"),
                                     options.printReturnAddress);
    ReturnAddressEdit = Named(new QPlainTextEdit(options.returnAddress), "ReturnAddressEdit");
    senderColumn->addWidget(ReturnAddressEdit);

    auto* barcode = Named(new QGroupBox(QStringLiteral("Barcode")), "EnvelopeBarcodePanel");
    auto* barcodeForm = new QFormLayout(barcode);
    EnvelopeBarcodeKindCombo = ChoiceCombo("EnvelopeBarcodeKindCombo", BarcodeKindCaptions());
    EnvelopeBarcodeKindCombo->setCurrentIndex(static_cast<int>(options.barcode.kind));
    EnvelopeBarcodeFieldCombo = Named(new QComboBox, "EnvelopeBarcodeFieldCombo");
    EnvelopeBarcodeFieldCombo->setEnabled(options.barcode.NeedsField());
    barcodeField_ = options.barcode.field;
    EnvelopeBarcodeCornerCombo = ChoiceCombo("EnvelopeBarcodeCornerCombo", BarcodeCornerCaptions());
    EnvelopeBarcodeCornerCombo->setCurrentIndex(static_cast<int>(options.barcode.corner));
    barcodeForm->addRow(QStringLiteral("Bar&code:"), EnvelopeBarcodeKindCombo);
    barcodeForm->addRow(QStringLiteral("Fiel&d:"), EnvelopeBarcodeFieldCombo);
    barcodeForm->addRow(QStringLiteral("Co&rner:"), EnvelopeBarcodeCornerCombo);

    auto* font = Named(new QGroupBox(QStringLiteral("Font")), "FontPanel");
    auto* fontForm = new QFormLayout(font);
    FontCombo = Named(new QFontComboBox, "FontCombo");
    FontCombo->setCurrentFont(QFont(options.fontName));
    FontSizeSpin = Named(new QSpinBox, "FontSizeSpin");
    FontSizeSpin->setRange(4, 72);
    FontSizeSpin->setValue(options.fontSize);
    fontForm->addRow(QStringLiteral("&Font:"), FontCombo);
    fontForm->addRow(QStringLiteral("Si&ze:"), FontSizeSpin);
    auto* fontChecks = new QHBoxLayout;
    BoldCheck = DialogCheck(fontChecks, "BoldCheck", QStringLiteral("&Bold"), options.fontBold);
    FitCheck = DialogCheck(fontChecks, "FitCheck", QStringLiteral("Adjust to F&it"), options.adjustFontSizeToFit);
    fontForm->addRow(fontChecks);

    auto* what = Named(new QGroupBox(QStringLiteral("What to Print")), "WhatToPrint");
    auto* records = new QVBoxLayout(what);
    rbQAll = DialogRadio(records, "rbQAll", QStringLiteral("All records"));
    rbQFilter = DialogRadio(records, "rbQFilter", QStringLiteral("Records matching filter"), true);
    rbOnlyThis = DialogRadio(records, "rbOnlyThis", QStringLiteral("Only current record"));
    StartCurrentCheck = DialogCheck(records, "StartCurrentCheck", QStringLiteral("Start from current record"));

    auto* printerPanel = Named(new QGroupBox(QStringLiteral("Printer")), "PrinterPanel");
    auto* printerForm = new QFormLayout(printerPanel);
    PrinterCombo = ChoiceCombo("PrinterCombo", printers);
    PrinterCombo->setCurrentIndex(std::max(0, static_cast<int>(printers.indexOf(printer))));
    FeedCombo = ChoiceCombo(
        "FeedCombo", {QStringLiteral("Portrait (short edge first)"), QStringLiteral("Landscape (long edge first)")});
    FlapCombo = Named(new QComboBox, "FlapCombo");
    FaceCombo = ChoiceCombo("FaceCombo", {QStringLiteral("Face up"), QStringLiteral("Face down")});
    CalibrateButton = Named(new QPushButton(QStringLiteral("&Calibrate...")), "CalibrateButton");
    printerForm->addRow(QStringLiteral("&Printer:"), PrinterCombo);
    printerForm->addRow(QStringLiteral("F&eed:"), FeedCombo);
    printerForm->addRow(QStringLiteral("F&lap:"), FlapCombo);
    printerForm->addRow(QStringLiteral("Fa&ce:"), FaceCombo);
    printerForm->addRow(CalibrateButton);

    auto* left = new QVBoxLayout;
    left->addWidget(envelope);
    left->addWidget(sender);
    left->addWidget(barcode);
    auto* right = new QVBoxLayout;
    right->addWidget(font);
    right->addWidget(what);
    right->addWidget(printerPanel);
    auto* columns = new QHBoxLayout;
    columns->addLayout(left);
    columns->addLayout(right);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    PrintNow = DialogButton(buttons, "PrintNow", QStringLiteral("&Print"), true);
    Previewbutton = DialogButton(buttons, "Previewbutton", QStringLiteral("Pre&view"));
    ReturnButton = DialogButton(buttons, "ReturnButton", QStringLiteral("Close"));
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(columns);
    layout->addLayout(buttons);

    SetWhatsThis(
        this,
        {
            {"SizeCombo", "The envelope to print on; each size keeps its own address block offsets."},
            {"OffsetRight",
             "Moves the address block right (or left, below zero) from where postal services expect it."},
            {"OffsetDown", "Moves the address block down (or up, below zero) from where postal services expect it."},
            {"ReturnAddressCheck", "Prints your return address in the top left corner of every envelope."},
            {"ReturnAddressEdit", "Your return address, one line per line of the envelope."},
            {"EnvelopeBarcodeKindCombo",
             "A barcode beside the address: the contact as a QR code, a field's value in Code 128 or Data Matrix, "
             "or the USPS Intelligent Mail barcode."},
            {"EnvelopeBarcodeFieldCombo", "The field whose value a Code 128 or Data Matrix barcode holds."},
            {"EnvelopeBarcodeCornerCombo", "The corner of the address block the barcode goes in."},
            {"FontCombo", "The font of the addresses."},
            {"FontSizeSpin", "The size of the address font, in points; the return address is set a little smaller."},
            {"BoldCheck", "Prints the addresses in bold."},
            {"FitCheck", "Shrinks the font of an address whose lines would not fit the address block."},
            {"rbQAll", "Prints an envelope for every record of the address file that is not deleted."},
            {"rbQFilter", "Prints envelopes only for the records the current filter lets through."},
            {"rbOnlyThis", "Prints the envelope of the current record only."},
            {"StartCurrentCheck", "Starts with the current record instead of the first one."},
            {"PrinterCombo", "The printer the envelopes go to; \"PDF file\" saves them as a PDF file."},
            {"FeedCombo", "Which edge of the envelope this printer takes first, as its manual says."},
            {"FlapCombo", "Where the flap lies as the envelope goes into this printer."},
            {"FaceCombo", "Whether this printer prints on the side that lies up in its tray or down."},
            {"CalibrateButton", "Moves or stretches the print slightly to make up for a printer that is a little off."},
            {"PrintNow", "Prints one envelope per record."},
            {"Previewbutton", "Shows the envelopes on screen as they will print."},
            {"ReturnButton", "Closes the window."},
        });

    connect(SizeCombo, &QComboBox::currentIndexChanged, this, &TEnvelopeSetupScreen::SizeComboChange);
    connect(PrinterCombo, &QComboBox::currentIndexChanged, this, &TEnvelopeSetupScreen::PrinterComboChange);
    connect(FeedCombo, &QComboBox::currentIndexChanged, this, &TEnvelopeSetupScreen::FeedComboChange);
    connect(EnvelopeBarcodeKindCombo, &QComboBox::currentIndexChanged, this,
            [this] { EnvelopeBarcodeFieldCombo->setEnabled(ChosenBarcode().NeedsField()); });
    connect(CalibrateButton, &QPushButton::clicked, this, &TEnvelopeSetupScreen::CalibrateButtonClick);
    connect(PrintNow, &QPushButton::clicked, this, [this] { Print(true); });
    connect(Previewbutton, &QPushButton::clicked, this, [this] { Print(false); });
    connect(ReturnButton, &QPushButton::clicked, this, &QDialog::accept);
    SizeComboChange();
    PrinterComboChange();
}

void TEnvelopeSetupScreen::SetFilterAvailable(bool available)
{
    rbQFilter->setEnabled(available);
    if (!available)
        rbQAll->setChecked(true);
}

void TEnvelopeSetupScreen::SetBarcodeFields(const QStringList& fields)
{
    EnvelopeBarcodeFieldCombo->clear();
    EnvelopeBarcodeFieldCombo->addItems(fields);
    EnvelopeBarcodeFieldCombo->setCurrentIndex(std::max(0, static_cast<int>(fields.indexOf(barcodeField_))));
}

BarcodeChoice TEnvelopeSetupScreen::ChosenBarcode() const
{
    BarcodeChoice choice;
    choice.kind = static_cast<BarcodeKind>(std::max(0, EnvelopeBarcodeKindCombo->currentIndex()));
    choice.corner = static_cast<BarcodeCorner>(std::max(0, EnvelopeBarcodeCornerCombo->currentIndex()));
    if (choice.NeedsField())
        choice.field = EnvelopeBarcodeFieldCombo->currentText();
    return choice;
}

EnvelopeSize TEnvelopeSetupScreen::ChosenSize() const
{
    return FindEnvelopeSize(SizeCombo->currentData().toString()).value_or(EnvelopeSizes().front());
}

EnvelopeFeed TEnvelopeSetupScreen::Feed() const
{
    return {FeedCombo->currentIndex() == 1, FlapCombo->currentIndex() == 0, FaceCombo->currentIndex() == 0};
}

EnvelopeRequest TEnvelopeSetupScreen::Request(bool printToPrinter) const
{
    EnvelopeRequest request;
    EnvelopeJob& job = request.job;
    job.size = ChosenSize();
    job.offsets = {OffsetRight->value(), OffsetDown->value()};
    job.options.sizeKey = job.size.key;
    job.options.fontName = FontCombo->currentFont().family();
    job.options.fontSize = FontSizeSpin->value();
    job.options.fontBold = BoldCheck->isChecked();
    job.options.adjustFontSizeToFit = FitCheck->isChecked();
    job.options.printReturnAddress = ReturnAddressCheck->isChecked();
    job.options.returnAddress = ReturnAddressEdit->toPlainText();
    job.options.barcode = ChosenBarcode();
    request.records.choice = rbQAll->isChecked()       ? RunChoice::All
                             : rbOnlyThis->isChecked() ? RunChoice::OnlyCurrent
                                                       : RunChoice::Filter;
    request.records.startFromCurrent = StartCurrentCheck->isChecked();
    request.printToPrinter = printToPrinter;
    return request;
}

void TEnvelopeSetupScreen::SizeComboChange()
{
    const EnvelopeOffsets offsets = ReadEnvelopeOffsets(ChosenSize());
    OffsetRight->setValue(offsets.rightMillimetres);
    OffsetDown->setValue(offsets.downMillimetres);
}

void TEnvelopeSetupScreen::PrinterComboChange()
{
    const EnvelopeFeed feed = ReadEnvelopeFeed(PrinterCombo->currentText());
    FeedCombo->setCurrentIndex(feed.landscape ? 1 : 0);
    FeedComboChange();
    FlapCombo->setCurrentIndex(feed.flapLeft ? 0 : 1);
    FaceCombo->setCurrentIndex(feed.faceUp ? 0 : 1);
}

void TEnvelopeSetupScreen::FeedComboChange()
{
    // The flap edge leads or trails when the long edge goes first.
    const int flap = std::max(0, FlapCombo->currentIndex());
    FlapCombo->clear();
    if (FeedCombo->currentIndex() == 1)
        FlapCombo->addItems({QStringLiteral("Flap edge first"), QStringLiteral("Flap edge last")});
    else
        FlapCombo->addItems({QStringLiteral("Flap on the left"), QStringLiteral("Flap on the right")});
    FlapCombo->setCurrentIndex(flap);
}

void TEnvelopeSetupScreen::CalibrateButtonClick()
{
    TPrinterCalibrationDialog dialog(PrinterCombo->currentText(),
                                     AddressBlockSheet(ChosenSize(), Request(true).job.offsets), this);
    CenterDialog(&dialog);
    dialog.exec();
}

void TEnvelopeSetupScreen::Print(bool printToPrinter)
{
    const EnvelopeRequest request = Request(printToPrinter);
    const QString printer = PrinterCombo->currentText();
    const bool kept = WriteSettingsBatch([&] {
        WriteEnvelopeOptions(request.job.options);
        WriteEnvelopeOffsets(request.job.size, request.job.offsets);
        WriteEnvelopeFeed(printer, Feed());
    });
    if (kept && print_)
        print_(request, printer);
}
