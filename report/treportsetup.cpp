#include "report/treportsetup.h"

#include "platform/help.h"
#include "platform/messages.h"
#include "report/printrun.h"
#include "report/reportrecords.h"
#include "session/addresssession.h"
#include "session/sessionscopes.h"
#include "table/tableerror.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

constexpr int HelpContext = 1087;

template <typename T>
T* named(T* widget, const char* name)
{
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

} // namespace

TReportSetup::TReportSetup(AddressSession& session, QWidget* parent) : QDialog(parent), session_(session)
{
    setObjectName(QStringLiteral("TReportSetup"));
    setWindowTitle(QStringLiteral("Print Report"));
    UseSessionPrinter(ReportPrinter1, session);

    ReportList = named(new QListWidget(this), "ReportList");
    ReportList->addItems(BuiltInReportNames());
    ReportList->setCurrentRow(0);
    TitleField = named(new QLineEdit(QStringLiteral("Report 1"), this), "TitleField");
    PrintCodesBox = named(new QCheckBox(QStringLiteral("Print Codes"), this), "PrintCodesBox");
    auto* records = new QGroupBox(this);
    rbQAll = named(new QRadioButton(QStringLiteral("All records"), records), "rbQAll");
    rbQFilter = named(new QRadioButton(QStringLiteral("Records matching filter"), records), "rbQFilter");
    rbOnlyThis = named(new QRadioButton(QStringLiteral("Only current record"), records), "rbOnlyThis");
    StartCurrentCheck = named(new QCheckBox(QStringLiteral("Start from current record"), records), "StartCurrentCheck");
    auto* recordsLayout = new QVBoxLayout(records);
    for (QWidget* w : std::initializer_list<QWidget*>{rbQAll, rbQFilter, rbOnlyThis, StartCurrentCheck})
        recordsLayout->addWidget(w);
    if (session.FilterExpression().isEmpty()) {
        rbQFilter->setEnabled(false);
        rbQAll->setChecked(true);
    } else {
        rbQFilter->setChecked(true);
    }
    OneRecordPerPage = named(new QCheckBox(QStringLiteral("One Record Per Page"), this), "OneRecordPerPage");
    PrintNow = named(new QPushButton(QStringLiteral("Print"), this), "PrintNow");
    Previewbutton = named(new QPushButton(QStringLiteral("Preview"), this), "Previewbutton");
    PrinterSetup = named(new QPushButton(QStringLiteral("Printer Setup"), this), "PrinterSetup");
    ReturnButton = named(new QPushButton(QStringLiteral("Ok"), this), "ReturnButton");
    ReturnButton->setDefault(true);
    Helpbutton = named(new QPushButton(QStringLiteral("Help"), this), "Helpbutton");

    auto* layout = new QGridLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Select Report:"), this), 0, 0);
    layout->addWidget(ReportList, 1, 0, 1, 2);
    layout->addWidget(new QLabel(QStringLiteral("Report Title"), this), 2, 0);
    layout->addWidget(TitleField, 2, 1);
    layout->addWidget(PrintCodesBox, 3, 0);
    layout->addWidget(OneRecordPerPage, 3, 1);
    layout->addWidget(records, 4, 0, 1, 2);
    auto* buttons = new QVBoxLayout;
    for (QPushButton* b : {PrintNow, Previewbutton, PrinterSetup, ReturnButton, Helpbutton})
        buttons->addWidget(b);
    buttons->addStretch();
    layout->addLayout(buttons, 0, 2, 5, 1);

    connect(ReportList, &QListWidget::currentRowChanged, this,
            [this](int row) { TitleField->setText(QStringLiteral("Report %1").arg(row + 1)); });
    connect(PrintNow, &QPushButton::clicked, this, &TReportSetup::PrintNowClick);
    connect(Previewbutton, &QPushButton::clicked, this, &TReportSetup::PreviewbuttonClick);
    connect(PrinterSetup, &QPushButton::clicked, this, &TReportSetup::PrinterSetupClick);
    connect(ReturnButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(Helpbutton, &QPushButton::clicked, this, [] { ShowHelpTopic(HelpContext); });
    SetHelpContext(this, HelpContext);
}

void TReportSetup::PrintNowClick()
{
    if (ShowPrintDialog(ReportPrinter1)) {
        session_.PrinterName = ReportPrinter1.Printer().Printer();
        DoPrintBuiltIns(true);
    }
}

void TReportSetup::PreviewbuttonClick()
{
    DoPrintBuiltIns(false);
}

void TReportSetup::PrinterSetupClick()
{
    ShowSessionPrinterSetup(ReportPrinter1, session_);
}

void TReportSetup::DoPrintBuiltIns(bool print)
{
    try {
        KeepPlace keep(session_);
        const int report = ReportList->currentRow() + 1;
        const RunChoice choice = rbQAll->isChecked()       ? RunChoice::All
                                 : rbOnlyThis->isChecked() ? RunChoice::OnlyCurrent
                                                           : RunChoice::Filter;
        if (!PositionReportRecords(session_.Apollo1, session_.TableBook, report, choice, StartCurrentCheck->isChecked(),
                                   keep.RecNo()))
            SayRunStartsAtTheFirstRecord();

        ReportStatusTexts texts = ReportRunTexts();
        texts.closeAfterPressDuringRun = true;
        TPrintRun run(ReportPrinter1.Printer(), !print, texts);
        TBaseReport& r = run.Report();
        r.SetCopies(ReportPrinter1.Copies());
        r.ClearOtherEvents();
        const BuiltInReportOptions options{report, TitleField->text(), PrintCodesBox->isChecked(),
                                           OneRecordPerPage->isChecked()};
        TableRecords records(session_.TableBook);
        r.OnBeforePrint = [](TBaseReport& report) { report.ResetSection(); };
        r.OnPrint = [&](TBaseReport& report) {
            PrintBuiltInReport(report, records, options, [&run] { return run.StopRequested(); });
        };
        run.Execute(this, QStringLiteral("Preview Report"));
    } catch (const TableError& e) {
        ShowInformation(e.Message());
    }
}
