#include "select/tagall.h"

#include "platform/messages.h"
#include "platform/whatsthis.h"
#include "table/controlsscope.h"
#include "table/tableerror.h"
#include "table/ttable.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

TTagAllRecords::TTagAllRecords(TTable& table, const QString& tagId, QWidget* parent)
    : QDialog(parent), table_(table), tagId_(tagId)
{
    setObjectName(QStringLiteral("TagAllRecords"));
    setWindowTitle(QStringLiteral("Tagging"));

    ActivityLabel = new QLabel(QStringLiteral("Tagging Records"), this);
    ActivityLabel->setObjectName(QStringLiteral("ActivityLabel"));
    QFont bold = ActivityLabel->font();
    bold.setBold(true);
    ActivityLabel->setFont(bold);
    ActivityLabel->setAlignment(Qt::AlignCenter);
    progresslabel = new QLabel(this);
    progresslabel->setObjectName(QStringLiteral("progresslabel"));
    progresslabel->setAlignment(Qt::AlignCenter);
    Cancelbutton = new QPushButton(QStringLiteral("Cancel"), this);
    Cancelbutton->setObjectName(QStringLiteral("Cancelbutton"));
    CloseButton = new QPushButton(QStringLiteral("Ok"), this);
    CloseButton->setObjectName(QStringLiteral("CloseButton"));
    CloseButton->hide();

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(ActivityLabel);
    layout->addWidget(progresslabel);
    layout->addWidget(Cancelbutton, 0, Qt::AlignHCenter);
    layout->addWidget(CloseButton, 0, Qt::AlignHCenter);
    setMinimumWidth(260);

    connect(Cancelbutton, &QPushButton::clicked, this, &TTagAllRecords::CancelbuttonClick);
    connect(CloseButton, &QPushButton::clicked, this, &TTagAllRecords::CloseButtonClick);
    SetWhatsThis(this, {
                           {"Cancelbutton", "Stops tagging; the records tagged so far stay tagged."},
                           {"CloseButton", "Closes this window."},
                       });
}

void TTagAllRecords::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!started_)
        QTimer::singleShot(0, this, &TTagAllRecords::Run);
}

void TTagAllRecords::Run()
{
    if (started_)
        return;
    started_ = true;
    {
        ControlsScope quiet(table_);
        try {
            for (table_.First(); !table_.Eof() && !cancelRequested_;) {
                table_.Edit();
                table_.FieldByName(QStringLiteral("Tag")).SetAsString(tagId_);
                table_.Post();
                table_.Next();
                ++count_;
                progresslabel->setText(QString::number(count_) + QStringLiteral(" tagged"));
                QApplication::processEvents();
            }
        } catch (const TableError& error) {
            // A record that cannot be written ends the run like a cancel; what was tagged stays.
            if (table_.State() == TDataSetState::Edit)
                table_.Cancel();
            cancelRequested_ = true;
            ShowInformation(error.Message());
        }
    }
    table_.First();
    finished_ = true;
    ActivityLabel->setText(cancelRequested_ ? QStringLiteral("Cancelled before completion")
                                            : QStringLiteral("Complete"));
    // The count stays in view: the user learns how many records now carry the tag.
    progresslabel->setText(count_ == 1 ? QStringLiteral("1 record tagged")
                                       : QString::number(count_) + QStringLiteral(" records tagged"));
    Cancelbutton->hide();
    CloseButton->show();
    CloseButton->setDefault(true);
    CloseButton->setFocus();
}

void TTagAllRecords::CancelbuttonClick()
{
    if (AskYesNo(QStringLiteral("Cancel Tagging?"), QStringLiteral("CANCEL")))
        cancelRequested_ = true;
}

void TTagAllRecords::CloseButtonClick()
{
    accept();
}

void TTagAllRecords::reject()
{
    if (finished_)
        QDialog::reject();
    else
        CancelbuttonClick();
}
