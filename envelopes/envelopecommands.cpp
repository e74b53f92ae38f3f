#include "envelopes/envelopecommands.h"

#include "envelopes/tenvelopeprinter.h"
#include "envelopes/tenvelopesetup.h"
#include "platform/placement.h"
#include "platform/printers.h"
#include "report/printeravailability.h"
#include "session/addresssession.h"
#include "session/mainmenus.h"
#include "session/sessionscopes.h"
#include "table/tfield.h"
#include "table/ttable.h"

#include <QAction>
#include <QMenu>

TEnvelopeCommands::TEnvelopeCommands(AddressSession& session, const MainMenus& menus, QObject* parent)
    : QObject(parent), session_(session)
{
    EnvelopesMenu = new QAction(QStringLiteral("Print &Envelopes..."), this);
    EnvelopesMenu->setObjectName(QStringLiteral("EnvelopesMenu"));
    // Right after the labels, whichever command object the main window makes first.
    menus.Print1->insertAction(menus.ReportsPlace, EnvelopesMenu);
    connect(EnvelopesMenu, &QAction::triggered, this, &TEnvelopeCommands::EnvelopesMenuClick);
    session_.WhenStateChanges(this, [this] { EnvelopesMenu->setEnabled(session_.OnRecord()); });
}

void TEnvelopeCommands::EnvelopesMenuClick()
{
    if (!CheckPrinterAvailability() || !session_.FileOpen() || session_.MatchCount() == 0)
        return;
    const QStringList printers = InstalledPrinters();
    const QString remembered = session_.PrinterName.isEmpty() ? DefaultPrinterName() : session_.PrinterName;
    KeepPlace keep(session_);
    ExtraFieldsShown extra(session_);
    TEnvelopeSetupScreen screen(
        printers, printers.contains(remembered) ? remembered : printers.value(0),
        [&](const EnvelopeRequest& request, const QString& printer) {
            DoPrintEnvelopes(session_, request, printer, &screen);
        },
        session_.Window());
    screen.SetFilterAvailable(session_.FilterIsSet());
    QStringList fields;
    for (const TField* field : session_.TableBook.Fields())
        fields << field->FieldName().toUpper();
    screen.SetBarcodeFields(fields);
    CenterDialog(&screen);
    screen.exec();
}
