#include "report/tprintcurrentrecord.h"

#include "report/printrun.h"
#include "report/singlerecord.h"
#include "session/addresssession.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QPushButton>

TPrintCurrentRecord::TPrintCurrentRecord(AddressSession& session, QWidget* parent) : QDialog(parent), session_(session)
{
    setObjectName(QStringLiteral("TPrintCurrentRecord"));
    setWindowTitle(QStringLiteral("Print Current Record"));
    UseSessionPrinter(ReportPrinter1, session);

    auto* panel = new QGroupBox(QStringLiteral("Fields to Print"), this);
    auto* grid = new QGridLayout(panel);
    const auto& items = SingleRecordItems();
    for (std::size_t i = 0; i < items.size(); ++i) {
        Items[i] = new QCheckBox(QString::fromLatin1(items[i].caption), panel);
        Items[i]->setObjectName(QString::fromLatin1(items[i].checkBox));
        Items[i]->setChecked(true);
        grid->addWidget(Items[i], int(i % 10), int(i / 10));
    }
    All = new QCheckBox(QStringLiteral("All"), panel);
    All->setObjectName(QStringLiteral("All"));
    All->setChecked(true);
    grid->addWidget(All, 10, 0);
    connect(All, &QCheckBox::toggled, this, [this](bool on) {
        for (QCheckBox* item : Items)
            item->setChecked(on);
    });

    const auto button = [this](const char* name, const QString& caption) {
        auto* b = new QPushButton(caption, this);
        b->setObjectName(QString::fromLatin1(name));
        return b;
    };
    PrintNow = button("PrintNow", QStringLiteral("&Print"));
    Previewbutton = button("Previewbutton", QStringLiteral("Pre&view"));
    PrinterSetup = button("PrinterSetup", QStringLiteral("Printer &Setup"));
    CancelButton = button("CancelButton", QStringLiteral("&Cancel"));
    auto* layout = new QGridLayout(this);
    layout->addWidget(panel, 0, 0, 5, 1);
    int row = 0;
    for (QPushButton* b : {PrintNow, Previewbutton, PrinterSetup, CancelButton})
        layout->addWidget(b, row++, 1);
    connect(PrintNow, &QPushButton::clicked, this, [this] { Run(true); });
    connect(Previewbutton, &QPushButton::clicked, this, [this] { Run(false); });
    connect(PrinterSetup, &QPushButton::clicked, this, [this] { ShowSessionPrinterSetup(ReportPrinter1, session_); });
    connect(CancelButton, &QPushButton::clicked, this, &QDialog::reject);
}

void TPrintCurrentRecord::Run(bool print)
{
    std::array<bool, 20> chosen{};
    for (std::size_t i = 0; i < Items.size(); ++i)
        chosen[i] = Items[i]->isChecked();
    TPrintRun run(ReportPrinter1.Printer(), !print, ReportRunTexts());
    TBaseReport& r = run.Report();
    r.SetTitle(QStringLiteral("Single Record Report"));
    r.ClearOtherEvents();
    TTable& table = session_.TableBook;
    const RecordField field = [&table](const QString& name) {
        const TField* f = table.FindField(name);
        return f ? f->AsString() : QString();
    };
    r.OnPrint = [&](TBaseReport& report) { PrintSingleRecord(report, field, chosen); };
    run.Execute(this, QStringLiteral("Preview Report"));
}
