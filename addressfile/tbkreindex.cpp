#include "addressfile/tbkreindex.h"

#include "addressfile/createaddressfile.h"
#include "platform/busy.h"
#include "platform/help.h"
#include "platform/whatsthis.h"
#include "table/tapollo.h"
#include "table/ttable.h"

#include <QCoreApplication>
#include <QFile>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr int kHelpTopic = 1040;

void LetMessagesRun()
{
    // Paint the gauge, but take no input while the file is half rebuilt.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

} // namespace

TBkReindex::TBkReindex(TTable& table, TApollo& apollo, QWidget* parent)
    : QDialog(parent), table_(table), apollo_(apollo)
{
    setObjectName(QStringLiteral("BkReindex"));
    setWindowTitle(QStringLiteral("Rebuild indexes for ") + table.TableName());

    Gauge1 = new QProgressBar;
    Gauge1->setObjectName(QStringLiteral("Gauge1"));
    Gauge1->setRange(0, 100);
    Gauge1->setValue(0);
    Gauge1->hide();
    WhatAmIDoing = new QLabel;
    WhatAmIDoing->setObjectName(QStringLiteral("WhatAmIDoing"));
    WhatAmIDoing->hide();

    Doit = new QPushButton(QStringLiteral("Reindex"));
    Doit->setObjectName(QStringLiteral("Doit"));
    Doit->setDefault(true);
    HelpButton = new QPushButton(QStringLiteral("Help"));
    HelpButton->setObjectName(QStringLiteral("HelpButton"));
    CancelButton = new QPushButton(QStringLiteral("Cancel"));
    CancelButton->setObjectName(QStringLiteral("CancelButton"));
    connect(Doit, &QPushButton::clicked, this, &TBkReindex::DoitClick);
    connect(HelpButton, &QPushButton::clicked, this, [] { ShowHelpTopic(kHelpTopic); });
    connect(CancelButton, &QPushButton::clicked, this, [this] {
        Gauge1->hide();
        reject();
    });

    auto* buttons = new QHBoxLayout;
    for (QPushButton* button : {Doit, HelpButton, CancelButton})
        buttons->addWidget(button);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(WhatAmIDoing);
    layout->addWidget(Gauge1);
    layout->addLayout(buttons);
    setMinimumWidth(360);
    SetHelpContext(this, kHelpTopic);
    SetWhatsThis(
        this, {
                  {"Doit", "Rebuilds the indexes of the open address file and removes its deleted records for good."},
                  {"HelpButton", "Explains rebuilding the indexes."},
                  {"CancelButton", "Closes without rebuilding."},
              });
}

void TBkReindex::GaugeReport(int percent)
{
    Gauge1->setValue(progress_.Report(percent));
    LetMessagesRun();
}

void TBkReindex::HookGauge(ReindexProgress::Phase phase)
{
    progress_.Start(phase);
    Gauge1->setValue(0);
    apollo_.SetGaugeHook([this](int percent) { GaugeReport(percent); });
}

void TBkReindex::UnhookGauge()
{
    apollo_.SetGaugeHook({});
}

void TBkReindex::DoitClick()
{
    {
        BusyCursor busy;
        Gauge1->show();
        Doit->setEnabled(false);
        CancelButton->hide();
        HelpButton->hide();
        WhatAmIDoing->setText(QStringLiteral("Cleaning out old deleted records"));
        WhatAmIDoing->show();

        const QString indexFile = apollo_.IndexFileName(1);
        if (!indexFile.isEmpty() && QFile::exists(indexFile)) {
            apollo_.CloseIndexes();
            LetMessagesRun();
            QFile::remove(indexFile);
        }

        HookGauge(ReindexProgress::Phase::Pack);
        try {
            apollo_.Pack();
        } catch (const std::exception&) {
            // The index phase reports what is wrong with the file.
        }
        UnhookGauge();

        WhatAmIDoing->setText(QStringLiteral("Rebuilding indexes"));
        HookGauge(ReindexProgress::Phase::Index);
        CreateIndexTags(table_, apollo_);
        UnhookGauge();

        Gauge1->hide();
        Gauge1->setValue(0);
        Doit->setEnabled(true);
        CancelButton->show();
        progress_.Start(ReindexProgress::Phase::Pack);
    }
    accept();
}
