#include "dial/dialcommands.h"

#include "dial/bkdial.h"
#include "dial/links.h"
#include "platform/configwindow.h"
#include "platform/desktoplinks.h"
#include "platform/identity.h"
#include "platform/messages.h"
#include "platform/placement.h"
#include "platform/whatsthis.h"
#include "session/addresssession.h"
#include "table/tfield.h"

#include <QAction>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>

namespace {

void Connect(QWidget* window, const char* name, QObject* context, const std::function<void()>& handler)
{
    if (auto* button = window->findChild<QPushButton*>(QLatin1StringView(name)))
        QObject::connect(button, &QPushButton::clicked, context, handler);
}

void OpenRecordLink(const QUrl& link, const QString& text)
{
    if (link.isEmpty()) {
        ShowInformation(
            QStringLiteral("%1 opens only web pages (http or https) and e-mail addresses; \"%2\" is neither.")
                .arg(ProductName(), text));
        return;
    }
    // Which program takes the link is the desktop's choice; its answer is not reported.
    OpenDesktopUrl(link);
}

} // namespace

TDialCommands::TDialCommands(AddressSession& session, const MainMenus& menus, QObject* parent)
    : QObject(parent), session_(session)
{
    QWidget* window = menus.Window;
    QMenu* help = menus.Help1;
    for (const char* name : {"Dial1Button", "Dial2Button"})
        if (auto* button = window->findChild<QPushButton*>(QLatin1StringView(name)))
            connect(button, &QPushButton::clicked, this, [this, button] { Dial1ButtonClick(button); });
    Connect(window, "Mailbutton", this, [this] { MailbuttonClick(); });
    Connect(window, "WebPageButton", this, [this] { WebPageButtonClick(); });

    // Before "About", which stays last.
    QAction* about = help->actions().isEmpty() ? nullptr : help->actions().constLast();
    auto* config = new QAction(QStringLiteral("Configuration &Information"), help);
    config->setObjectName(QStringLiteral("ConfigurationInformation1"));
    connect(config, &QAction::triggered, this, &TDialCommands::ConfigurationInformation1Click);
    help->insertAction(about, config);
    AddWhatsThisItem(help, config);
}

QString TDialCommands::Field(const char* name) const
{
    return session_.FileOpen() ? session_.TableBook.FieldByName(QLatin1StringView(name)).AsString() : QString();
}

void TDialCommands::Dial1ButtonClick(QObject* button)
{
    TBkDialer dialog(session_.Window());
    dialog.Number->setText(Field(button && button->objectName() == QLatin1String("Dial1Button") ? "PHONE" : "PHONE2"));
    CenterDialog(&dialog);
    dialog.exec();
}

void TDialCommands::MailbuttonClick()
{
    const QString email = Field("EMAIL");
    OpenRecordLink(MailLink(email), email);
}

void TDialCommands::WebPageButtonClick()
{
    const QString page = Field("WEBPAGE");
    OpenRecordLink(WebPageLink(page), page);
}

void TDialCommands::ConfigurationInformation1Click()
{
    TConfigInformation dialog(session_.Window());
    CenterDialog(&dialog);
    dialog.exec();
}
