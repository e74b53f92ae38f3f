#pragma once
// Address files in a temporary program directory for import tests, and independent
// readers of what an import wrote: the engine's checker and Python's dbf module.

#include "addressfile/addressfile_test_support.h"
#include "exchange/importcommands.h"
#include "exchange/matchdialog.h"
#include "support/scripted_messages.h"
#include "support/temp_program_dir.h"
#include "table/tapollo.h"
#include "table/tapolloenv.h"
#include "table/tdatasource.h"
#include "table/ttable.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QMenu>
#include <QString>
#include <gtest/gtest.h>

using ImportTrio = BookTrio;

class ImportTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        env_.SetDeleted(true);
        env_.SetExact(false);
    }
    // A new, empty address file "name.DBF" in the program directory.
    QString NewAddressFile(const QString& name = QStringLiteral("ADDR"));
    // Writes bytes to a file in the program directory and gives its path.
    QString WriteFile(const QString& name, const QByteArray& bytes);

    TempProgramDirectory dir_;
    ScriptedMessages messages_;
    TApolloEnv env_;
};

class AddressSession;

// Opens the address file in the session as the main window does, in the order named.
bool OpenInSession(AddressSession& session, const QString& path, const QString& order);

// A File menu with "Pre&ferences", and the "&Import" commands put before it on the session.
struct ImportMenu {
    explicit ImportMenu(AddressSession& session);
    QMenu file;
    ImportCommands commands;
};

// The grid row of a matching dialog headed by the label; -1 when none.
int RowOf(const MatchDialog& match, const QString& label);

// Gives the dialog's file choice the path, then presses "Select ...".
template <typename Dialog>
void ChooseFile(Dialog& dialog, const QString& path)
{
    dialog.OpenDialog1 = [path](const QString&) { return path; };
    dialog.SelectButtonClick();
}

// "ok: 26 tags, N records" when the engine's checker finds the file sound, else its
// complaint.
QString CheckWithXbtool(const QString& path);

// The records as Python's dbf module reads them: one object per record, field names
// upper case, texts with trailing blanks removed, logicals as booleans, plus "_deleted".
QJsonArray ReadWithPython(const QString& path);

// Creates a DBF of any layout with Python's dbf module ("LNAME C(20); NOTES M"), with
// the given rows (lists of values in field order) and code page ("cp1252", "cp437"...).
void CreateWithPython(const QString& path, const QString& specs, const QString& rowsJson,
                      const QString& codepage = QStringLiteral("cp1252"), const QString& type = QStringLiteral("db3"));
