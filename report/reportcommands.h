#pragma once

#include <QObject>

class AddressSession;
class QAction;
struct MainMenus;

// The report commands of the main window: "Print &Reports" (Ctrl+R) and "Print
// C&urrent Record" (Ctrl+P) in "&Print", "Copy To &Clipboard" in "&Record". They are
// enabled while the session stands on a record and nothing is edited.
class TReportCommands : public QObject {
    Q_OBJECT

public:
    TReportCommands(AddressSession& session, const MainMenus& menus, QObject* parent);

    QAction* ReportsMenu;
    QAction* CurrentRecordMenu;
    QAction* ToClipboard1;

    void ReportsMenuClick();
    void CurrentRecordMenuClick();
    void ToClipboard1Click();

private:
    AddressSession& session_;
};
