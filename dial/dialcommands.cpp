#include "dial/dialcommands.h"

#include "dial/bkdial.h"
#include "dial/links.h"
#include "platform/desktoplinks.h"
#include "platform/identity.h"
#include "platform/messages.h"
#include "platform/placement.h"
#include "session/addresssession.h"
#include "table/tfield.h"

#include <QAbstractButton>
#include <QLineEdit>

namespace {

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

TDialCommands::TDialCommands(AddressSession& session, const RecordLinkButtons& buttons, QObject* parent)
    : QObject(parent), session_(session)
{
    connect(buttons.Dial1Button, &QAbstractButton::clicked, this, [this] { DialClick("PHONE"); });
    connect(buttons.Dial2Button, &QAbstractButton::clicked, this, [this] { DialClick("PHONE2"); });
    connect(buttons.Mailbutton, &QAbstractButton::clicked, this, &TDialCommands::MailbuttonClick);
    connect(buttons.WebPageButton, &QAbstractButton::clicked, this, &TDialCommands::WebPageButtonClick);
}

QString TDialCommands::Field(const char* name) const
{
    return session_.FileOpen() ? session_.TableBook.FieldByName(QLatin1StringView(name)).AsString() : QString();
}

void TDialCommands::DialClick(const char* field)
{
    TBkDialer dialog(session_.Window());
    dialog.Number->setText(Field(field));
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
