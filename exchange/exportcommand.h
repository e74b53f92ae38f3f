#pragma once
// The main window's "&Export " command: copies the records of the current selection, in
// the current order, with the "Copy Records Out" dialog. Whatever the dialog does, the
// window gets its record, its order and the current folder back afterwards.
//
//   new ExportCommand(window, File1, Prefences1, TableBook, Apollo1,
//                     [this] { SetCurrentOrder(CurrentOrderName); });

#include <QObject>
#include <functional>

class QAction;
class QMenu;
class QWidget;
class TApollo;
class TCopyOut;
class TTable;

class ExportCommand : public QObject {
    Q_OBJECT
public:
    // Adds the item to the menu before the given action (at the end when it is null).
    ExportCommand(QWidget* window, QMenu* menu, QAction* before, TTable& table, TApollo& apollo,
                  std::function<void()> restoreOrder);

    QAction* CopyRecordsOutMnu;

    void CopyRecordsOutMnuClick();

private:
    QWidget* window_;
    TTable& table_;
    TApollo& apollo_;
    std::function<void()> restoreOrder_;
};
