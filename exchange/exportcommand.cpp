#include "exchange/exportcommand.h"

#include "exchange/tcopyout.h"
#include "platform/messages.h"
#include "platform/placement.h"
#include "table/tapollo.h"
#include "table/ttable.h"

#include <QAction>
#include <QDir>
#include <QMenu>
#include <QWidget>

namespace {

// Puts back what the command changed for the dialog's time, in reverse order, however the
// dialog ends.
class MainWindowPause {
public:
    MainWindowPause(QWidget* window, TTable& table, TApollo& apollo, std::function<void()>& restoreOrder)
        : window_(window), table_(table), apollo_(apollo), restoreOrder_(restoreOrder),
          folder_(QDir::currentPath()), recNo_(apollo.RecNo())
    {
        window_->setUpdatesEnabled(false);
        table_.DisableControls();
    }
    ~MainWindowPause()
    {
        if (table_.Active() && recNo_ <= apollo_.RecCount())
            apollo_.Go(recNo_);
        table_.EnableControls();
        QDir::setCurrent(folder_);
        window_->setUpdatesEnabled(true);
        if (restoreOrder_)
            restoreOrder_();
    }
    MainWindowPause(const MainWindowPause&) = delete;
    MainWindowPause& operator=(const MainWindowPause&) = delete;

private:
    QWidget* window_;
    TTable& table_;
    TApollo& apollo_;
    std::function<void()>& restoreOrder_;
    QString folder_;
    long recNo_;
};

} // namespace

ExportCommand::ExportCommand(QWidget* window, QMenu* menu, QAction* before, TTable& table, TApollo& apollo,
                             std::function<void()> restoreOrder)
    : QObject(window), window_(window), table_(table), apollo_(apollo), restoreOrder_(std::move(restoreOrder))
{
    CopyRecordsOutMnu = new QAction(QStringLiteral("&Export "), this);
    CopyRecordsOutMnu->setObjectName(QStringLiteral("CopyRecordsOutMnu"));
    menu->insertAction(before, CopyRecordsOutMnu);
    if (before)
        menu->insertSeparator(before);
    connect(CopyRecordsOutMnu, &QAction::triggered, this, &ExportCommand::CopyRecordsOutMnuClick);
    // Offered while a file is open and no record is being edited.
    connect(menu, &QMenu::aboutToShow, this,
            [this] { CopyRecordsOutMnu->setEnabled(table_.State() == TDataSetState::Browse); });
}

void ExportCommand::CopyRecordsOutMnuClick()
{
    if (!table_.Active() || apollo_.QueryRecCount() == 0) {
        ShowInformation(QStringLiteral("No active records for current filter. Nothing to copy"));
        return;
    }
    MainWindowPause pause(window_, table_, apollo_, restoreOrder_);
    TCopyOut dialog(table_, apollo_, window_);
    CenterDialog(&dialog);
    dialog.exec();
}
