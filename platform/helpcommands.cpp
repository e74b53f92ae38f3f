#include "platform/helpcommands.h"

#include "platform/configwindow.h"
#include "platform/help.h"
#include "platform/identity.h"
#include "platform/menuitem.h"
#include "platform/messages.h"
#include "platform/placement.h"
#include "platform/whatsthis.h"

#include <QAction>
#include <QMenu>

THelpCommands::THelpCommands(QMenu* help, QObject* parent) : QObject(parent)
{
    Contents1 = NamedMenuItem(help, QStringLiteral("&Contents"), "Contents1");
    SearchforHelpOn1 = NamedMenuItem(help, QStringLiteral("&Search for Help On..."), "SearchforHelpOn1");
    HowtoUseHelp1 = NamedMenuItem(help, QStringLiteral("&How to Use Help"), "HowtoUseHelp1");
    help->addSeparator();
    ConfigurationInformation1 =
        NamedMenuItem(help, QStringLiteral("Configuration &Information"), "ConfigurationInformation1");
    AddWhatsThisItem(help, ConfigurationInformation1);
    About1 = NamedMenuItem(help, QStringLiteral("&About %1...").arg(ProductName()), "About1");
    connect(Contents1, &QAction::triggered, this, [] { ShowHelpContents(); });
    connect(SearchforHelpOn1, &QAction::triggered, this, [] { ShowHelpSearch(); });
    connect(HowtoUseHelp1, &QAction::triggered, this, [] { ShowHowToUseHelp(); });
    connect(ConfigurationInformation1, &QAction::triggered, this, &THelpCommands::ConfigurationInformation1Click);
    connect(About1, &QAction::triggered, this, &THelpCommands::About1Click);
}

void THelpCommands::ConfigurationInformation1Click()
{
    TConfigInformation dialog(qobject_cast<QWidget*>(parent()));
    CenterDialog(&dialog);
    dialog.exec();
}

void THelpCommands::About1Click()
{
    ShowMessageBox(QStringLiteral("%1 %2\nMailing lists and mailing labels.").arg(ProductName(), ProductVersion()),
                   QStringLiteral("About %1").arg(ProductName()), MbOk | MbIconInformation);
}
