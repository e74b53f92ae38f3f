#include "session/addresssession.h"

#include "addressfile/addressschema.h"
#include "platform/programdirectory.h"
#include "session/orderseek.h"
#include "table/opentablefile.h"
#include "table/tableerror.h"

#include <QWidget>

AddressSession::AddressSession(QObject* parent) : QObject(parent)
{
    DeclareAddressFields(TableBook);
    TableBook.setObjectName(QStringLiteral("TableBook"));
    TableBook.SetExclusive(true);
    DataSourceBook.SetDataSet(&TableBook);
    Apollo1.SetDataSource(&DataSourceBook);
    ApolloEnv1.SetCentury(true);
    ApolloEnv1.SetDeleted(true);
    ApolloEnv1.ErrorLevel(0);
}

AddressSession::~AddressSession() = default;

long AddressSession::MatchCount()
{
    return FileOpen() ? Apollo1.QueryRecCount() : 0;
}

QString AddressSession::GetDatabasePath() const
{
    return WithTrailingSeparator(TableBook.DatabaseName());
}

long AddressSession::ApplyFilter()
{
    return Select.ApplyFilter(Apollo1, GlobalTagId);
}

void AddressSession::ReapplyFilterIfNothingMatches()
{
    if (FileOpen())
        Select.ReapplyIfNothingMatches(Apollo1, GlobalTagId);
}

void AddressSession::SetCurrentOrder(const QString& tag)
{
    CurrentOrderName = tag;
    if (!tag.isEmpty())
        ApplyOrderTag(Apollo1, tag);
}

bool AddressSession::ReopenFile()
{
    const QString path = LastOpenedFile;
    const QString order = CurrentOrderName;
    if (path.isEmpty())
        return false;
    const bool opened = (OpenFile ? OpenFile(path) : OpenPlainly(path)) && FileOpen();
    if (opened) {
        SetCurrentOrder(order);
        try {
            TableBook.First();
        } catch (const TableError&) {
            // The file is open again, which is what the caller waits for; the window
            // shows wherever the table stands.
        }
    }
    RefreshWindow();
    return opened;
}

void AddressSession::RefreshWindow()
{
    if (Refresh)
        Refresh();
}

QWidget* AddressSession::Window() const
{
    return window_;
}

void AddressSession::SetWindow(QWidget* window)
{
    window_ = window;
}

bool AddressSession::OpenPlainly(const QString& path)
{
    const bool opened = OpenTableFile(path, TableBook);
    LastOpenedFile = opened ? path : QString();
    if (!opened)
        return false;
    try {
        ApplyFilter();
    } catch (const TableError&) {
        Apollo1.Query(QString());
    }
    return true;
}
