#include "carddav/cardsync.h"

#include "carddav/discovery.h"
#include "carddav/syncrun.h"
#include "table/tableerror.h"

void SyncRun::Run()
{
    QString error;
    if (!state_.Load(statePath_, &error))
        throw SyncFailed{error};
    const QUrl wanted = !o_.collection.isEmpty() ? o_.collection : o_.server;
    const bool first =
        state_.collection.isEmpty() || (!wanted.isEmpty() && wanted != state_.server && wanted != state_.collection);
    if (first)
        SetUp();
    client_ = std::make_unique<DavClient>(state_.user, o_.password);
    if (!file_.Open(o_.file, &error))
        throw SyncFailed{error};
    // Rebuilding the indexes removes deleted records for good and renumbers the rest,
    // which the state knows by number.
    if (!first && file_.RecordCount() < state_.records)
        throw SyncFailed{QStringLiteral("records were removed for good from %1 since the last sync, so its records "
                                        "no longer match the address book's cards; move %2 away and sync again, "
                                        "taking the server's contacts")
                             .arg(o_.file, statePath_)};
    // A sync token means the server lists changes by it, and that listing alone tells
    // whether anything changed; asking the book's properties first would double the
    // cost of a sync with nothing to do.
    if (state_.token.isEmpty())
        CheckCollection();
    else
        syncReport_ = true;
    Step(5);
    List();
    Step(15);
    records_ = file_.ReadAll();
    FindLocalChanges();
    Fetch();
    Step(50);
    if (first)
        PairIdentical();
    Settle(first);
    Step(100);
    state_.token = newToken_;
    state_.records = file_.RecordCount();
    Save();
}

void SyncRun::Save()
{
    QString error;
    if (!state_.Save(statePath_, &error))
        throw SyncFailed{error};
}

void SyncRun::SetUp()
{
    if (o_.server.isEmpty() || o_.user.isEmpty())
        throw SyncFailed{
            QStringLiteral("%1 has no CardDAV sync set up yet: give the server's address and the user").arg(o_.file)};
    const bool onOpen = state_.syncOnOpen;
    state_ = SyncState();
    state_.server = o_.server;
    state_.user = o_.user;
    state_.syncOnOpen = onOpen;
    if (!o_.collection.isEmpty()) {
        state_.collection = o_.collection;
        return;
    }
    DavClient client(o_.user, o_.password);
    const Discovery found = DiscoverAddressBooks(client, o_.server);
    if (!found.error.isEmpty())
        throw SyncFailed{found.error};
    if (found.books.empty())
        throw SyncFailed{QStringLiteral("the server has no address book for %1").arg(o_.user)};
    if (found.books.size() > 1) {
        QStringList names;
        for (const AddressBookInfo& book : found.books)
            names << QStringLiteral("%1 (%2)").arg(book.name, book.url.toString());
        throw SyncFailed{QStringLiteral("the server has several address books; give the address of one: ") +
                         names.join(QStringLiteral(", "))};
    }
    state_.collection = found.books.front().url;
}

QString SyncOutcome::Summary() const
{
    return QStringLiteral("%1 in, %2 out, %3 deleted, %4 conflict%5")
        .arg(in)
        .arg(out)
        .arg(deleted)
        .arg(conflicts)
        .arg(conflicts == 1 ? QString() : QStringLiteral("s"));
}

QString RecordName(const ExportValues& values)
{
    QString name = values[ExLast];
    if (!values[ExFirst].isEmpty())
        name += (name.isEmpty() ? QString() : QStringLiteral(", ")) + values[ExFirst];
    return name.isEmpty() ? values[ExOrg] : name;
}

SyncOutcome RunCardDavSync(const SyncOptions& options)
{
    SyncRun sync(options);
    try {
        sync.Run();
    } catch (const SyncFailed& failure) {
        sync.outcome.error = failure.message;
    } catch (const TableError& error) {
        sync.outcome.error = error.Message();
    }
    return sync.outcome;
}
