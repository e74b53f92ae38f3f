#pragma once
// An address file made for export tests in a temporary folder, open in a session as the
// main window opens it (declared fields, exclusive, deleted records hidden, "!ISDEL"),
// and a way to run an independent reader (Debian's Python modules) over what was written.

#include "addressfile/addressfile_test_support.h"
#include "session/addresssession.h"

#include <QStringList>
#include <QTemporaryDir>
#include <initializer_list>
#include <utility>

class ExportBook {
public:
    ExportBook();

    using Values = std::initializer_list<std::pair<const char*, QString>>;
    void Add(Values fields);
    // Records "Person n" (LNAME), first names counting down so name order differs from
    // record order.
    void AddNumbered(int count);
    // Sets the active query as the main window does for a filter expression.
    void Filter(const QString& expression);
    void OrderBy(const QString& tag);
    QString File(const QString& name) const { return dir.filePath(name); }

    QTemporaryDir dir;
    QString path;
    AddressSession session;
    TTable& table = session.TableBook;
    TApollo& apollo = session.Apollo1;
};

// Runs the system's python3 on the script with the arguments; gives its standard output.
// *ok is false when it failed (its standard error then joins the output).
QString RunPython(const QString& script, const QStringList& arguments, bool* ok);
// True when the system's python3 has the module; tests skip without it.
bool PythonHas(const char* module);
