#include "platform/configwindow.h"

#include "platform/configinfo.h"
#include "platform/whatsthis.h"

#include <QClipboard>
#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

TConfigInformation::TConfigInformation(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("ConfigInformation"));
    setWindowTitle(QStringLiteral("Configuration Information"));

    InfoText = new QPlainTextEdit(ConfigurationText(GatherConfiguration()), this);
    InfoText->setObjectName(QStringLiteral("InfoText"));
    InfoText->setReadOnly(true);
    InfoText->setLineWrapMode(QPlainTextEdit::NoWrap);
    InfoText->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));

    auto* buttons = new QDialogButtonBox(this);
    CopyButton = buttons->addButton(QStringLiteral("&Copy"), QDialogButtonBox::ActionRole);
    CopyButton->setObjectName(QStringLiteral("CopyButton"));
    CloseButton = buttons->addButton(QStringLiteral("Close"), QDialogButtonBox::RejectRole);
    CloseButton->setObjectName(QStringLiteral("CloseButton"));
    connect(CopyButton, &QPushButton::clicked, this, &TConfigInformation::CopyButtonClick);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(InfoText);
    layout->addWidget(buttons);
    resize(620, 480);

    SetWhatsThis(
        this,
        {
            {"InfoText", "The program's version and what it runs on: system, processor, memory, screens, language, "
                         "date and time formats and printers. Nothing here is sent anywhere."},
            {"CopyButton", "Puts all of this on the clipboard as text, to paste into a support request."},
            {"CloseButton", "Closes this window."},
        });
}

void TConfigInformation::CopyButtonClick()
{
    QGuiApplication::clipboard()->setText(InfoText->toPlainText());
}
