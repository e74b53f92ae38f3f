#include "platform/printersetupdialog.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QPageSize>
#include <QPrinterInfo>
#include <QPushButton>
#include <QRadioButton>
#include <algorithm>
#include <cmath>

namespace {

// Papers every printer is offered with when its driver names none ("PDF file" among them).
QList<QPageSize> commonPapers()
{
    return {QPageSize(QPageSize::Letter), QPageSize(QPageSize::Legal), QPageSize(QPageSize::Executive),
            QPageSize(QPageSize::A4), QPageSize(QPageSize::A5)};
}

bool samePaper(QSizeF a, QSizeF b)
{
    return std::abs(a.width() - b.width()) < 0.01 && std::abs(a.height() - b.height()) < 0.01;
}

} // namespace

TPrinterSetupDialog::TPrinterSetupDialog(PrinterSetup& setup, QWidget* parent) : QDialog(parent), setup_(setup)
{
    setObjectName(QStringLiteral("TPrinterSetupDialog"));
    setWindowTitle(QStringLiteral("Printer Setup"));
    PrinterCombo = new QComboBox(this);
    PrinterCombo->setObjectName(QStringLiteral("PrinterCombo"));
    PrinterCombo->addItems(InstalledPrinters());
    PrinterCombo->setCurrentIndex(std::max(0, PrinterCombo->findText(setup.Printer())));
    PaperCombo = new QComboBox(this);
    PaperCombo->setObjectName(QStringLiteral("PaperCombo"));
    PortraitButton = new QRadioButton(QStringLiteral("&Portrait"), this);
    PortraitButton->setObjectName(QStringLiteral("PortraitButton"));
    LandscapeButton = new QRadioButton(QStringLiteral("&Landscape"), this);
    LandscapeButton->setObjectName(QStringLiteral("LandscapeButton"));
    (setup.Orientation() == PaperOrientation::Landscape ? LandscapeButton : PortraitButton)->setChecked(true);
    OkButton = new QPushButton(QStringLiteral("Ok"), this);
    OkButton->setObjectName(QStringLiteral("OkButton"));
    OkButton->setDefault(true);
    CancelButton = new QPushButton(QStringLiteral("Cancel"), this);
    CancelButton->setObjectName(QStringLiteral("CancelButton"));

    auto* form = new QFormLayout(this);
    form->addRow(QStringLiteral("P&rinter:"), PrinterCombo);
    form->addRow(QStringLiteral("Pap&er:"), PaperCombo);
    auto* orientation = new QHBoxLayout;
    orientation->addWidget(PortraitButton);
    orientation->addWidget(LandscapeButton);
    form->addRow(QStringLiteral("Orientation:"), orientation);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(OkButton);
    buttons->addWidget(CancelButton);
    form->addRow(buttons);

    FillPapers(setup.PortraitPaperInches());
    connect(PrinterCombo, &QComboBox::currentTextChanged, this, [this](const QString& name) {
        PrinterSetup chosen;
        chosen.SetPrinter(name);
        FillPapers(chosen.PortraitPaperInches());
    });
    connect(OkButton, &QPushButton::clicked, this, &TPrinterSetupDialog::accept);
    connect(CancelButton, &QPushButton::clicked, this, &TPrinterSetupDialog::reject);
}

void TPrinterSetupDialog::FillPapers(QSizeF current)
{
    QList<QPageSize> papers;
    if (PrinterCombo->currentText() != PdfFilePrinterName)
        papers = QPrinterInfo::printerInfo(PrinterCombo->currentText()).supportedPageSizes();
    if (papers.isEmpty())
        papers = commonPapers();
    PaperCombo->clear();
    for (const QPageSize& paper : papers)
        PaperCombo->addItem(paper.name(), PaperInches(paper));
    int index = -1;
    for (int i = 0; i < PaperCombo->count() && index < 0; ++i)
        if (samePaper(PaperCombo->itemData(i).toSizeF(), current))
            index = i;
    if (index < 0) {
        PaperCombo->addItem(
            QStringLiteral("Custom (%1 x %2 in)").arg(current.width(), 0, 'f', 2).arg(current.height(), 0, 'f', 2),
            current);
        index = PaperCombo->count() - 1;
    }
    PaperCombo->setCurrentIndex(index);
}

void TPrinterSetupDialog::accept()
{
    setup_.SetPrinter(PrinterCombo->currentText());
    setup_.SetPortraitPaperInches(PaperCombo->currentData().toSizeF());
    setup_.SetOrientation(LandscapeButton->isChecked() ? PaperOrientation::Landscape : PaperOrientation::Portrait);
    QDialog::accept();
}
