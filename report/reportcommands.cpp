#include "report/reportcommands.h"

#include "platform/messages.h"
#include "platform/placement.h"
#include "report/printeravailability.h"
#include "report/tcopytoclipboard.h"
#include "report/tprintcurrentrecord.h"
#include "report/treportsetup.h"
#include "session/addresssession.h"
#include "session/mainmenus.h"
#include "session/sessionscopes.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QMenu>

TReportCommands::TReportCommands(AddressSession& session, const MainMenus& menus, QObject* parent)
    : QObject(parent), session_(session)
{
    const auto item = [this](QMenu* menu, QAction* place, const char* name, const QString& caption,
                             void (TReportCommands::*handler)(), const QKeySequence& keys) {
        auto* action = new QAction(caption, this);
        action->setObjectName(QString::fromLatin1(name));
        action->setShortcut(keys);
        menu->insertAction(place, action);
        connect(action, &QAction::triggered, this, handler);
        return action;
    };
    ReportsMenu = item(menus.Print1, menus.ReportsPlace, "ReportsMenu", QStringLiteral("Print &Reports"),
                       &TReportCommands::ReportsMenuClick, QKeySequence(Qt::CTRL | Qt::Key_R));
    CurrentRecordMenu =
        item(menus.Print1, menus.ReportsPlace, "CurrentRecordMenu", QStringLiteral("Print C&urrent Record"),
             &TReportCommands::CurrentRecordMenuClick, QKeySequence(Qt::CTRL | Qt::Key_P));
    ToClipboard1 = item(menus.Record1, menus.ClipboardPlace, "ToClipboard1", QStringLiteral("Copy To &Clipboard"),
                        &TReportCommands::ToClipboard1Click, QKeySequence());
    session_.WhenStateChanges(this, [this] {
        const bool onRecord = session_.OnRecord();
        for (QAction* action : {ReportsMenu, CurrentRecordMenu, ToClipboard1})
            action->setEnabled(onRecord);
    });
}

void TReportCommands::ReportsMenuClick()
{
    if (!CheckPrinterAvailability() || !session_.FileOpen() || session_.MatchCount() == 0)
        return;
    KeepPlace keep(session_);
    ExtraFieldsShown extra(session_);
    TReportSetup dialog(session_, session_.Window());
    CenterDialog(&dialog);
    dialog.exec();
}

void TReportCommands::CurrentRecordMenuClick()
{
    if (!CheckPrinterAvailability() || !session_.FileOpen() || session_.TableBook.IsEmpty())
        return;
    TPrintCurrentRecord dialog(session_, session_.Window());
    CenterDialog(&dialog);
    dialog.exec();
}

void TReportCommands::ToClipboard1Click()
{
    if (!session_.FileOpen() || session_.TableBook.IsEmpty())
        return;
    TCopyToClipBoard dialog(session_.Window());
    CenterDialog(&dialog);
    if (dialog.exec() != QDialog::Accepted)
        return;
    TTable& table = session_.TableBook;
    const QString text =
        RecordAsText([&table](const QString& name) { return table.FieldByName(name).AsString(); }, dialog.Parts());
    QGuiApplication::clipboard()->clear();
    QGuiApplication::clipboard()->setText(text);
    ShowInformation(QStringLiteral("Record copied to the clipboard"));
}
