#pragma once
// Scopes a command wraps around a run over the open address file, so the main window is
// left as the user had it however the run ends.
//
//   {
//       KeepPlace keep(session);          // printing or exporting the selection
//       session.Apollo1.Query(...);       // the run may change order, filter and scope
//   }                                     // order, filter and record are back
//
//   {
//       FileClosed closed(session);       // an import that opens the file itself
//       Import(closed.Path());
//   }                                     // the file is open in the main window again

#include "table/controlsscope.h"

#include <QString>

class AddressSession;

// Notes the record number, the order and the engine filter and turns the table's
// controls off. On the way out it puts back the order and the filter, clears any scope,
// returns to the record (when there was one) and lets the controls follow again. Engine
// failures while putting things back are skipped, so the rest still comes back.
class KeepPlace {
public:
    explicit KeepPlace(AddressSession& session);
    ~KeepPlace();
    KeepPlace(const KeepPlace&) = delete;
    KeepPlace& operator=(const KeepPlace&) = delete;

    // The record current when the run began; 0 when there was none.
    long RecNo() const { return recNo_; }
    const QString& Filter() const { return filter_; }

private:
    AddressSession& session_;
    ControlsScope controls_;
    long recNo_ = 0;
    int order_ = 0;
    QString filter_;
};

// Closes the address table for a run that needs the file to itself, and reopens it
// through the session (as the main window opens files) on the way out. Path() is "" when
// no file was open; then nothing is reopened either.
class FileClosed {
public:
    explicit FileClosed(AddressSession& session);
    ~FileClosed();
    FileClosed(const FileClosed&) = delete;
    FileClosed& operator=(const FileClosed&) = delete;

    const QString& Path() const { return path_; }

private:
    AddressSession& session_;
    QString path_;
};

// Shows the main window's calculated name and city fields while a print window is open
// (the session's ExtraFieldsWanted), and hides them again on the way out.
class ExtraFieldsShown {
public:
    explicit ExtraFieldsShown(AddressSession& session);
    ~ExtraFieldsShown();
    ExtraFieldsShown(const ExtraFieldsShown&) = delete;
    ExtraFieldsShown& operator=(const ExtraFieldsShown&) = delete;

private:
    void Show(bool visible);
    AddressSession& session_;
};
