#include "labels/newlblsetup.h"

#include "labels/calibrationdialog.h"

#include "labels/dialogrow.h"
#include "labels/gzintpanel.h"
#include "labels/labelcatalog.h"
#include "labels/newlbldesgn.h"
#include "labels/prelpr.h"
#include "labels/setupfiles.h"
#include "platform/busy.h"
#include "platform/help.h"
#include "platform/messages.h"
#include "platform/placement.h"
#include "platform/whatsthis.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

constexpr int kHelpTopic = 1075;

} // namespace

TNewLabelSetupScreen::TNewLabelSetupScreen(TTable* table, TApollo* apollo, const QStringList& printers,
                                           int currentPrinter, std::function<void(int)> selectPrinter, PrintPath print,
                                           QWidget* parent)
    : QDialog(parent), table_(table), selectPrinter_(std::move(selectPrinter)), print_(std::move(print))
{
    setObjectName(QStringLiteral("NewLabelSetupScreen"));
    setWindowTitle(QStringLiteral("Print Labels"));
    QDir().mkpath(LabelsDirectory());

    FileListBox1 = new QListWidget;
    FileListBox1->setObjectName(QStringLiteral("FileListBox1"));
    LabelDesc = new QLabel;
    LabelDesc->setObjectName(QStringLiteral("LabelDesc"));
    LabelDesc->setFont(QFont(QStringLiteral("Courier New")));
    auto* setupButtons = new QHBoxLayout;
    NewButton = DialogButton(setupButtons, "NewButton", QStringLiteral("New"));
    ModifyButton = DialogButton(setupButtons, "ModifyButton", QStringLiteral("Modify"));
    DeleteButton = DialogButton(setupButtons, "DeleteButton", QStringLiteral("Delete"));

    WhatToPrint = new QGroupBox(QStringLiteral("What to Print"));
    WhatToPrint->setObjectName(QStringLiteral("WhatToPrint"));
    auto* records = new QVBoxLayout(WhatToPrint);
    rbQAll = DialogRadio(records, "rbQAll", QStringLiteral("All records"));
    rbQFilter = DialogRadio(records, "rbQFilter", QStringLiteral("Records matching filter"));
    rbOnlyThis = DialogRadio(records, "rbOnlyThis", QStringLiteral("Only current record"));
    rbQFilter->setChecked(true);
    StartCurrentCheck = DialogCheck(records, "StartCurrentCheck", QStringLiteral("Start from current record"));

    PrinterPanel = new QGroupBox(QStringLiteral("Printer"));
    PrinterPanel->setObjectName(QStringLiteral("PrinterPanel"));
    PrinterCombo = new QComboBox;
    PrinterCombo->setObjectName(QStringLiteral("PrinterCombo"));
    PrinterCombo->addItems(printers);
    PrinterCombo->setCurrentIndex(currentPrinter);
    auto* printerRow = new QHBoxLayout(PrinterPanel);
    printerRow->addWidget(PrinterCombo, 1);
    CalibrateButton = DialogButton(printerRow, "CalibrateButton", QStringLiteral("Calibrate..."));

    auto* printButtons = new QHBoxLayout;
    PrintNow = DialogButton(printButtons, "PrintNow", QStringLiteral("Print"));
    Previewbutton = DialogButton(printButtons, "Previewbutton", QStringLiteral("Preview"));
    PrintSamplePageButton = DialogButton(printButtons, "PrintSamplePageButton", QStringLiteral("Print Sample Page"));
    printButtons->addStretch();
    ReturnButton = DialogButton(printButtons, "ReturnButton", QStringLiteral("Ok"), true);
    QPushButton* help = DialogButton(printButtons, "HelpButton", QStringLiteral("Help"));

    LabelPanel = new TZintLabelPanel(this);
    LabelPanel->setObjectName(QStringLiteral("LabelPanel"));
    LabelPanel->hide();
    LabelPanel->SetDataTable(table);
    LabelPanel->SetDataApollo(apollo);

    auto* left = new QVBoxLayout;
    left->addWidget(FileListBox1, 1);
    left->addLayout(setupButtons);
    auto* right = new QVBoxLayout;
    right->addWidget(LabelDesc);
    right->addWidget(WhatToPrint);
    right->addWidget(PrinterPanel);
    right->addStretch();
    auto* columns = new QHBoxLayout;
    columns->addLayout(left, 1);
    columns->addLayout(right);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(columns);
    layout->addLayout(printButtons);
    SetHelpContext(this, kHelpTopic);

    connect(FileListBox1, &QListWidget::currentRowChanged, this, &TNewLabelSetupScreen::FileListBox1Change);
    connect(FileListBox1, &QListWidget::itemDoubleClicked, this, &TNewLabelSetupScreen::ModifyButtonClick);
    connect(NewButton, &QPushButton::clicked, this, &TNewLabelSetupScreen::NewButtonClick);
    connect(ModifyButton, &QPushButton::clicked, this, &TNewLabelSetupScreen::ModifyButtonClick);
    connect(DeleteButton, &QPushButton::clicked, this, &TNewLabelSetupScreen::DeleteButtonClick);
    connect(PrinterCombo, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (selectPrinter_ && index >= 0)
            selectPrinter_(index);
    });
    SetWhatsThis(
        this,
        {
            {"FileListBox1", "The label setups you have saved. Choose the one to print with."},
            {"LabelDesc", "The chosen setup: its sheet, label size, font and address format."},
            {"NewButton", "Makes a new label setup from a sheet of the catalogue and opens it for design."},
            {"ModifyButton", "Opens the chosen setup to change its sheet, font, margins or address format."},
            {"DeleteButton", "Deletes the chosen setup file after asking."},
            {"rbQAll", "Prints a label for every record of the address file that is not deleted."},
            {"rbQFilter", "Prints labels only for the records the current filter lets through."},
            {"rbOnlyThis", "Prints the labels of the current record only."},
            {"StartCurrentCheck", "Starts with the current record instead of the first one."},
            {"PrinterCombo", "The printer the labels go to; \"PDF file\" saves them as a PDF file."},
            {"CalibrateButton",
             "Moves or stretches the labels slightly to make up for a printer that places the sheet a little off."},
            {"PrintNow", "Asks which positions of the sheet to use, then prints the labels."},
            {"Previewbutton", "Shows the first sheet on screen as it will print."},
            {"PrintSamplePageButton", "Prints one sheet only, to check the layout before printing them all."},
            {"ReturnButton", "Closes the window."},
            {"HelpButton", "Explains printing labels."},
        });
    connect(CalibrateButton, &QPushButton::clicked, this, &TNewLabelSetupScreen::CalibrateButtonClick);
    connect(PrintNow, &QPushButton::clicked, this, [this] { Print(true, false); });
    connect(Previewbutton, &QPushButton::clicked, this, [this] { Print(false, true); });
    connect(PrintSamplePageButton, &QPushButton::clicked, this, [this] { Print(true, true); });
    connect(ReturnButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(help, &QPushButton::clicked, this, [] { ShowHelpTopic(kHelpTopic); });
}

void TNewLabelSetupScreen::SetFilterAvailable(bool available)
{
    rbQFilter->setEnabled(available);
    if (!available)
        rbQAll->setChecked(true);
}

void TNewLabelSetupScreen::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (activated_)
        return;
    activated_ = true;
    RefreshList(QString());
    SetLabelButtons();
}

QString TNewLabelSetupScreen::SelectedPath() const
{
    const QListWidgetItem* item = FileListBox1->currentItem();
    return item ? LabelsDirectory() + item->text() : QString();
}

void TNewLabelSetupScreen::RefreshList(const QString& select)
{
    FileListBox1->clear();
    FileListBox1->addItems(SetupFiles(LabelsDirectory()));
    const auto found = FileListBox1->findItems(select, Qt::MatchFixedString);
    if (!found.isEmpty())
        FileListBox1->setCurrentItem(found.first());
    else if (FileListBox1->count() > 0)
        FileListBox1->setCurrentRow(0);
}

// An unreadable file leaves the previous setup described.
void TNewLabelSetupScreen::FileListBox1Change()
{
    const QString path = SelectedPath();
    if (!path.isEmpty() && setup_.LoadFromFile(path))
        LabelDesc->setText(setup_.Describe().replace(QLatin1Char('\r'), QLatin1Char('\n')));
    SetLabelButtons();
}

void TNewLabelSetupScreen::SetLabelButtons()
{
    const bool selected = FileListBox1->currentItem() != nullptr;
    for (QWidget* control :
         std::initializer_list<QWidget*>{ModifyButton, PrintNow, Previewbutton, PrintSamplePageButton, DeleteButton})
        control->setEnabled(selected);
    WhatToPrint->setVisible(selected);
    PrinterPanel->setVisible(selected);
}

void TNewLabelSetupScreen::NewButtonClick()
{
    if (!setup_.LoadTemplate(CatalogPath(), DefaultTemplateName(QLocale()), false))
        setup_.LoadTemplate(CatalogPath(), QString(), true);
    isNew_ = true;
    ModifyButtonClick();
}

void TNewLabelSetupScreen::ModifyButtonClick()
{
    const bool isNew = std::exchange(isNew_, false);
    if (!isNew && !FileListBox1->currentItem())
        return;
    TZintLabelFile edited = setup_;
    if (isNew) {
        edited.Description = NewSetupDescription(LabelsDirectory());
        // A new setup shrinks its font rather than lose an address line that does not fit.
        edited.AdjustFontSizeToFit = true;
    }
    TNewLabelDesignScreen design(edited, isNew, table_, LabelPanel->DataApollo(), CatalogPath(), this);
    if (design.exec() != QDialog::Accepted)
        return;
    const QString path = SetupFilePath(LabelsDirectory(), design.Setup().Description);
    try {
        BusyCursor busy;
        design.Setup().SaveToFile(path);
    } catch (const LabelFileError& e) {
        ShowMessageBox(e.Message(), QStringLiteral("Error"), MbOk | MbIconStop);
        return;
    }
    setup_ = design.Setup();
    RefreshList(QFileInfo(path).fileName());
}

void TNewLabelSetupScreen::DeleteButtonClick()
{
    const QString path = SelectedPath();
    if (path.isEmpty() || !AskYesNo(QStringLiteral("Delete \"%1\"?").arg(path), QStringLiteral("DELETE")))
        return;
    QFile::remove(path);
    RefreshList(QString());
    if (FileListBox1->count() > 0)
        FileListBox1->setCurrentRow(FileListBox1->count() - 1);
    SetLabelButtons();
}

void TNewLabelSetupScreen::CalibrateButtonClick()
{
    TPrinterCalibrationDialog dialog(PrinterCombo->currentText(), setup_, this);
    CenterDialog(&dialog);
    dialog.exec();
}

void TNewLabelSetupScreen::Print(bool printToPrinter, bool onePageOnly)
{
    QStringList printers;
    for (int i = 0; i < PrinterCombo->count(); ++i)
        printers << PrinterCombo->itemText(i);
    TSelectSpecificLabels positions(setup_, selection_, copies_, printers, PrinterCombo->currentIndex(), selectPrinter_,
                                    this);
    if (positions.exec() != QDialog::Accepted)
        return;
    selection_ = positions.Selection();
    copies_ = positions.Copies();
    PrinterCombo->setCurrentIndex(positions.PrinterIndex());
    if (!print_)
        return;
    LabelPrintJob job;
    job.setup = &setup_;
    job.selection = selection_;
    job.copies = copies_;
    job.records.choice = rbQAll->isChecked()       ? RunChoice::All
                         : rbOnlyThis->isChecked() ? RunChoice::OnlyCurrent
                                                   : RunChoice::Filter;
    job.records.startFromCurrent = StartCurrentCheck->isChecked();
    job.printerIndex = PrinterCombo->currentIndex();
    job.printToPrinter = printToPrinter;
    job.onePageOnly = onePageOnly;
    print_(job);
}
