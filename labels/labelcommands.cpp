#include "labels/labelcommands.h"

#include "labels/newlblsetup.h"
#include "labels/tlabelprinter.h"
#include "platform/placement.h"
#include "platform/printers.h"
#include "report/printeravailability.h"
#include "session/addresssession.h"
#include "session/mainmenus.h"
#include "session/sessionscopes.h"

#include <QAction>
#include <QMenu>

TLabelCommands::TLabelCommands(AddressSession& session, const MainMenus& menus, QObject* parent)
    : QObject(parent), session_(session)
{
    LabelsMenu = new QAction(QStringLiteral("Print &Labels"), this);
    LabelsMenu->setObjectName(QStringLiteral("LabelsMenu"));
    LabelsMenu->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_L));
    menus.Print1->insertAction(menus.LabelsPlace, LabelsMenu);
    connect(LabelsMenu, &QAction::triggered, this, &TLabelCommands::LabelsMenuClick);
    session_.WhenStateChanges(this, [this] { LabelsMenu->setEnabled(session_.OnRecord()); });
}

void TLabelCommands::LabelsMenuClick()
{
    if (!CheckPrinterAvailability() || !session_.FileOpen() || session_.MatchCount() == 0)
        return;
    // The printer chosen in the window serves its prints only; the session's stays.
    const QStringList printers = InstalledPrinters();
    const QString remembered = session_.PrinterName.isEmpty() ? DefaultPrinterName() : session_.PrinterName;
    QString printer = printers.contains(remembered) ? remembered : printers.value(0);
    KeepPlace keep(session_);
    ExtraFieldsShown extra(session_);
    TNewLabelSetupScreen screen(
        &session_.TableBook, &session_.Apollo1, printers, static_cast<int>(printers.indexOf(printer)),
        [&](int index) { printer = printers.value(index); },
        [&](const LabelPrintJob& job) { DoPrint(session_, job, printer, &screen); }, session_.Window());
    screen.SetFilterAvailable(session_.FilterIsSet());
    CenterDialog(&screen);
    screen.exec();
}
