#include "session/addresssession.h"

#include "addressfile/addressschema.h"
#include "platform/programdirectory.h"
#include "session/orderseek.h"
#include "table/opentablefile.h"
#include "table/tableerror.h"

#include <utility>

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
    // Opening and closing are announced even during a run: a closed file has no record
    // for any command to work on.
    connect(&TableBook, &TTable::activeChanged, this, &AddressSession::Announce);
    connect(&TableBook, &TTable::stateChanged, this, &AddressSession::AnnounceUnlessQuiet);
    connect(&TableBook, &TTable::datasetChanged, this, &AddressSession::AnnounceUnlessQuiet);
    connect(&TableBook, &TTable::recordPosted, this, &AddressSession::AnnounceUnlessQuiet);
    connect(&TableBook, &TTable::recordChanged, this, [this](TField* field) {
        if (!field)
            AnnounceUnlessQuiet();
    });
}

AddressSession::~AddressSession()
{
    // The table may close as it goes, after the parts an announcement reads are gone.
    disconnect(&TableBook, nullptr, this, nullptr);
}

bool AddressSession::Editing() const
{
    const TDataSetState state = TableBook.State();
    return state == TDataSetState::Edit || state == TDataSetState::Insert;
}

bool AddressSession::HasRecord()
{
    return FileOpen() && Apollo1.RecNo() != Apollo1.RecCount() + 1;
}

bool AddressSession::OnRecord()
{
    return FileOpen() && !Editing() && HasRecord();
}

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
    const long matches = Select.ApplyFilter(Apollo1, GlobalTagId);
    Announce();
    return matches;
}

void AddressSession::ReapplyFilterIfNothingMatches()
{
    if (!FileOpen())
        return;
    Select.ReapplyIfNothingMatches(Apollo1, GlobalTagId);
    Announce();
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
    emit RefreshWanted();
    Announce();
}

void AddressSession::Announce()
{
    const bool open = FileOpen();
    const TDataSetState state = TableBook.State();
    const long recNo = open ? TableBook.CurrentRecNo() : 0;
    const bool hasRecord = HasRecord();
    const QString filter = FilterExpression();
    if (std::exchange(open_, open) != open)
        emit FileOpenChanged(open);
    if (std::exchange(filter_, filter) != filter)
        emit SelectionChanged();
    const bool moved = std::exchange(recNo_, recNo) != recNo;
    if (std::exchange(hasRecord_, hasRecord) != hasRecord || moved)
        emit CurrentRecordChanged();
    if (std::exchange(state_, state) != state)
        emit EditStateChanged(state);
}

void AddressSession::AnnounceUnlessQuiet()
{
    if (!TableBook.ControlsDisabled())
        Announce();
}

void AddressSession::WhenStateChanges(QObject* context, const std::function<void()>& follow)
{
    follow();
    connect(this, &AddressSession::FileOpenChanged, context, follow);
    connect(this, &AddressSession::SelectionChanged, context, follow);
    connect(this, &AddressSession::CurrentRecordChanged, context, follow);
    connect(this, &AddressSession::EditStateChanged, context, follow);
}

bool AddressSession::OpenAddressFile(const QString& path, bool readOnly)
{
    TableBook.Close();
    TableBook.SetExclusive(!readOnly);
    TableBook.SetReadOnly(readOnly);
    return OpenTableFile(path, TableBook);
}

bool AddressSession::OpenPlainly(const QString& path)
{
    const bool opened = OpenAddressFile(path);
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
