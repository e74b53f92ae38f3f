#pragma once
// The program's shared state around the one open address file. The main window owns one
// AddressSession for its whole life; every dialog and every layer above this one
// (labels/, report/, exchange/, dial/) receives it by reference and reaches the address
// file only through it, never through the main window's members. Tests drive it alone.
//
// What it holds (the names are those the rest of the program uses):
//   TableBook, DataSourceBook, Apollo1  the address table, its data source and companion,
//                                       wired together and declared with the address
//                                       file's fields; exclusive use
//   ApolloEnv1                          the engine settings: dates with the century,
//                                       deleted records hidden, no engine messages
//   Select                              the query values and the filter expression
//   GlobalTagId                         a record is tagged when its TAG holds this id
//   CurrentOrderName                    the tag ordering TableBook; empty with no file
//   LastOpenedFile                      the file open now, or "" after a failed open
//   PrinterName                         the printer the user chose last; "" for the default
//
// Reading the state:
//   session.FileOpen()            an address file is open
//   session.OnRecord()            open, nothing edited, on a record (HasRecord, Editing)
//   session.FilterExpression()    "" with no filter; never holds the deleted-record part
//   session.MatchCount()          records the active query lets through, 0 with no file
//   session.GetDatabasePath()     folder of the open file, ending in "/"
//   session.Window()              the window dialogs centre on and open over
//
// Changing it:
//   session.ApplyFilter()         sets the active query from Select; gives the match count
//   session.SetCurrentOrder(tag)  orders TableBook by the tag (the "&Sort" menu's check
//                                 mark is the main window's business and stays as it is)
//   session.OpenAddressFile(path) opens the address table (read-only on request)
//   session.ReopenFile()          reopens LastOpenedFile as the main window opens files,
//                                 puts the order back, goes to the first record and
//                                 refreshes the window's buttons
//   session.RefreshWindow()       the main window updates its buttons, menus and status
//                                 (RefreshWanted) and the layers follow (Announce)
//
// Around a run (a print, an export, an import), in session/sessionscopes.h:
//   KeepPlace keep(session);      controls off, record number, order and filter noted;
//                                 all put back, controls on again, on every way out
//   FileClosed closed(session);   TableBook closed for a run that opens the file itself
//                                 (closed.Path()); reopened with ReopenFile on the way out
//   QuietEvents quiet(session.TableBook, {&TTable::AfterEdit, &TTable::AfterPost});
//                                 the window's record events stay quiet while a layer
//                                 writes records (table/quietevents.h)
//
// What changes is announced with signals, so each layer's command object enables and
// disables its own items without knowing the main window:
//   FileOpenChanged(open)      the address file was opened or closed
//   SelectionChanged()         the filter (the records a run covers) changed
//   CurrentRecordChanged()     the table moved to another record, or has none now
//   EditStateChanged(state)    browse, edit or insert
// A run that turns the table's controls off (KeepPlace, ControlsScope) announces
// nothing about records and edit states until the controls are back. WhenStateChanges
// runs a command object's rule once and again after every announcement.
//
// A layer's commands go into the main window's menus through MainMenus
// (session/mainmenus.h): the main window creates the layer's command object with the
// session and its menus, and the object adds its own actions at its own place in them.
//
//   TLabelCommands::TLabelCommands(AddressSession& session, const MainMenus& menus, QObject* parent)
//       : QObject(parent), session_(session)
//   {
//       LabelsMenu = new QAction(QStringLiteral("Print &Labels"), this);
//       menus.Print1->insertAction(menus.LabelsPlace, LabelsMenu);
//       session_.WhenStateChanges(this, [this] { LabelsMenu->setEnabled(session_.OnRecord()); });
//   }
//   void TLabelCommands::LabelsMenuClick()
//   {
//       if (!session_.FileOpen() || session_.MatchCount() == 0)
//           return;
//       KeepPlace keep(session_);
//       ...
//   }

#include "select/selection.h"
#include "table/tapollo.h"
#include "table/tapolloenv.h"
#include "table/tdatasource.h"
#include "table/ttable.h"

#include <QDateTime>
#include <QObject>
#include <QPointer>
#include <QString>
#include <functional>

class QWidget;

class AddressSession : public QObject {
    Q_OBJECT
public:
    explicit AddressSession(QObject* parent = nullptr);
    ~AddressSession() override;
    AddressSession(const AddressSession&) = delete;
    AddressSession& operator=(const AddressSession&) = delete;

    TTable TableBook;
    TDataSource DataSourceBook;
    TApollo Apollo1;
    TApolloEnv ApolloEnv1;
    Selection Select;
    QString GlobalTagId;
    QString CurrentOrderName;
    QString LastOpenedFile;
    QString PrinterName;

    bool FileOpen() const { return TableBook.Active(); }
    // A record is being edited or inserted.
    bool Editing() const;
    // The table stands on a record (not on an empty file or past the last match).
    bool HasRecord();
    // A file is open, nothing is being edited and there is a current record: what the
    // commands over records (print, export, search) need.
    bool OnRecord();
    const QString& FilterExpression() const { return Select.FilterExpression(); }
    bool FilterIsSet() const { return Select.FilterSet(); }
    long MatchCount();
    QString GetDatabasePath() const;

    long ApplyFilter();
    // After a save, delete or tag toggle: drops a filter whose last match is gone.
    void ReapplyFilterIfNothingMatches();
    void SetCurrentOrder(const QString& tag);

    // Opens path as the address table: exclusively, as the window holds its file, or
    // shared and read-only for a run that only reads it (addrina-print). Every way of
    // opening the address file comes through here. False when it cannot be opened.
    bool OpenAddressFile(const QString& path, bool readOnly = false);
    // Opens LastOpenedFile through OpenFile, orders it by CurrentOrderName, goes to its
    // first record and calls RefreshWindow. False when there is nothing to open or the
    // open failed (the window then shows its no-file state).
    bool ReopenFile();
    void RefreshWindow();
    // Sends the signals below for what changed since the last announcement.
    void Announce();
    // Runs follow now and after every announcement, for as long as context lives.
    void WhenStateChanges(QObject* context, const std::function<void()>& follow);

    // The main window's own way of opening a file; a session without a window opens the
    // file plainly and applies the filter.
    std::function<bool(const QString& path)> OpenFile;
    // The clock new tag ids are made from (to the second); tests set their own.
    std::function<QDateTime()> Clock = [] { return QDateTime::currentDateTime(); };

    QWidget* Window() const;
    void SetWindow(QWidget* window);

signals:
    void FileOpenChanged(bool open);
    void SelectionChanged();
    void CurrentRecordChanged();
    void EditStateChanged(TDataSetState state);
    // The main window updates its buttons, menus and status line.
    void RefreshWanted();
    // The main window shows or hides its calculated name and city fields (a print window
    // shows them while it is open; see ExtraFieldsShown).
    void ExtraFieldsWanted(bool visible);

private:
    bool OpenPlainly(const QString& path);
    // Announces from the table's own signals, unless a run has turned its controls off.
    void AnnounceUnlessQuiet();

    QPointer<QWidget> window_;
    // What was announced last.
    bool open_ = false;
    TDataSetState state_ = TDataSetState::Inactive;
    long recNo_ = 0;
    bool hasRecord_ = false;
    QString filter_;
};
