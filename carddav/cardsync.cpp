#include "carddav/cardsync.h"

#include "carddav/cardbuild.h"
#include "carddav/davclient.h"
#include "carddav/davxml.h"
#include "carddav/discovery.h"
#include "carddav/syncedfile.h"
#include "carddav/syncstate.h"
#include "exchange/vcardmapping.h"
#include "table/tableerror.h"

#include <QHash>
#include <QSet>
#include <QUuid>

namespace {

constexpr int kFetchBatch = 500;
constexpr int kSendBatch = 100;
constexpr std::size_t kWholeBookFrom = 50;
constexpr int kWholeBookWaitMs = 15 * 60 * 1000;

struct Failed {
    QString message;
};

struct ServerCard {
    QByteArray etag;
    VCard card;
    ExportValues values;
};

class Sync {
public:
    explicit Sync(const SyncOptions& options) : o_(options), statePath_(SyncState::PathFor(options.file)) {}

    void Run()
    {
        QString error;
        if (!state_.Load(statePath_, &error))
            throw Failed{error};
        const QUrl wanted = !o_.collection.isEmpty() ? o_.collection : o_.server;
        const bool first = state_.collection.isEmpty() ||
                           (!wanted.isEmpty() && wanted != state_.server && wanted != state_.collection);
        if (first)
            SetUp();
        client_ = std::make_unique<DavClient>(state_.user, o_.password);
        if (!file_.Open(o_.file, &error))
            throw Failed{error};
        // Rebuilding the indexes removes deleted records for good and renumbers the rest,
        // which the state knows by number.
        if (!first && file_.RecordCount() < state_.records)
            throw Failed{QStringLiteral("records were removed for good from %1 since the last sync, so its records "
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

    SyncOutcome outcome;

private:
    void Step(int percent)
    {
        if (o_.progress)
            o_.progress(percent);
    }

    void Save()
    {
        QString error;
        if (!state_.Save(statePath_, &error))
            throw Failed{error};
    }

    QUrl UrlOf(const QString& href) const
    {
        QUrl url = state_.collection;
        url.setPath(href);
        return url;
    }

    void SetUp()
    {
        if (o_.server.isEmpty() || o_.user.isEmpty())
            throw Failed{QStringLiteral("%1 has no CardDAV sync set up yet: give the server's address and the user")
                             .arg(o_.file)};
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
            throw Failed{found.error};
        if (found.books.empty())
            throw Failed{QStringLiteral("the server has no address book for %1").arg(o_.user)};
        if (found.books.size() > 1) {
            QStringList names;
            for (const AddressBookInfo& book : found.books)
                names << QStringLiteral("%1 (%2)").arg(book.name, book.url.toString());
            throw Failed{QStringLiteral("the server has several address books; give the address of one: ") +
                         names.join(QStringLiteral(", "))};
        }
        state_.collection = found.books.front().url;
    }

    void CheckCollection()
    {
        const DavReply reply = client_->Send(
            {"PROPFIND", state_.collection, PropfindCollections(state_.token.isEmpty()), {{"Depth", "0"}}});
        CheckListing(reply);
        for (const DavResource& r : ReadMultistatus(reply.body).resources)
            if (r.addressBook) {
                syncReport_ |= r.syncCollection;
                collectionEtag_ = r.etag;
                collectionName_ = r.displayName;
            }
    }

    void CheckListing(const DavReply& reply) const
    {
        if (reply.status == 404)
            throw Failed{QStringLiteral("the address book %1 is no longer on the server; set the sync up again")
                             .arg(state_.collection.toString())};
        if (const QString failure = DavFailure(reply, {207}); !failure.isEmpty())
            throw Failed{failure};
    }

    // What changed on the server: by sync token where offered, else every card's ETag.
    void List()
    {
        const QString collectionPath = state_.collection.path();
        bool full = true;
        Multistatus ms;
        if (syncReport_) {
            DavReply reply =
                client_->Send({"REPORT", state_.collection, SyncCollectionReport(state_.token), {{"Depth", "0"}}});
            full = state_.token.isEmpty();
            if (reply.status / 100 == 4 && reply.status != 401 && reply.status != 404 && !full) {
                // A token the server has forgotten: start from the whole listing.
                reply = client_->Send({"REPORT", state_.collection, SyncCollectionReport(QString()), {{"Depth", "0"}}});
                full = true;
            }
            CheckListing(reply);
            ms = ReadMultistatus(reply.body);
            newToken_ = ms.syncToken;
        } else {
            const DavReply reply = client_->Send({"PROPFIND", state_.collection, PropfindEtags(), {{"Depth", "1"}}});
            if (const QString failure = DavFailure(reply, {207}); !failure.isEmpty())
                throw Failed{failure};
            ms = ReadMultistatus(reply.body);
        }
        if (!ms.error.isEmpty())
            throw Failed{ms.error};
        QSet<QString> present;
        for (const DavResource& r : ms.resources) {
            if (r.href == collectionPath || r.href.endsWith(u'/'))
                continue;
            if (r.status == 404)
                removed_.insert(r.href);
            else {
                present.insert(r.href);
                listed_[r.href] = r.etag;
            }
        }
        for (const auto& [recNo, e] : state_.entries)
            byHref_[e.href] = recNo;
        emptyBook_ = full && present.isEmpty();
        if (full)
            for (const auto& [recNo, e] : state_.entries)
                if (!present.contains(e.href) && !e.etag.isEmpty())
                    removed_.insert(e.href);
    }

    void FindLocalChanges()
    {
        for (const auto& [recNo, e] : state_.entries) {
            const auto it = records_.find(recNo);
            if (it != records_.end() && !it->second.deleted && !e.etag.isEmpty() &&
                ValuesHash(it->second.values) != e.hash)
                localChanged_.insert(recNo);
        }
    }

    // The cards that changed there, and those of records changed here (whose other
    // properties the card going out keeps), by addressbook-multiget in batches.
    void Fetch()
    {
        QSet<QString> wanted;
        for (auto it = listed_.cbegin(); it != listed_.cend(); ++it) {
            const auto entry = byHref_.constFind(it.key());
            if (entry == byHref_.cend() || state_.entries[*entry].etag != it.value())
                wanted.insert(it.key());
        }
        for (long recNo : localChanged_)
            if (!removed_.contains(state_.entries[recNo].href))
                wanted.insert(state_.entries[recNo].href);
        FetchCards(wanted.values());
    }

    void FetchCards(const QStringList& hrefs)
    {
        std::vector<DavRequest> requests;
        for (qsizetype at = 0; at < hrefs.size(); at += kFetchBatch)
            requests.push_back(
                {"REPORT", state_.collection, MultigetReport(hrefs.mid(at, kFetchBatch)), {{"Depth", "1"}}});
        for (const DavReply& reply : client_->SendAll(requests)) {
            if (const QString failure = DavFailure(reply, {207}); !failure.isEmpty())
                throw Failed{failure};
            for (DavResource& r : ReadMultistatus(reply.body).resources) {
                if (r.status != 200 || r.addressData.isEmpty())
                    continue;
                VCardFile read = ReadVCards(r.addressData);
                if (!read.error.isEmpty() || read.cards.size() != 1) {
                    outcome.refused << QStringLiteral("card %1: %2")
                                           .arg(r.href,
                                                read.error.isEmpty() ? QStringLiteral("not one contact") : read.error);
                    continue;
                }
                ServerCard& card = cards_[r.href];
                card.etag = r.etag;
                card.card = std::move(read.cards.front());
                card.values = MapVCard(card.card).values;
            }
        }
    }

    // A first merge pairs a new card with a record holding the same values.
    void PairIdentical()
    {
        QHash<QByteArray, long> unpaired;
        for (const auto& [recNo, record] : records_)
            if (!record.deleted && !state_.entries.count(recNo))
                unpaired.insert(ValuesHash(record.values), recNo);
        for (auto it = cards_.begin(); it != cards_.end(); ++it) {
            if (byHref_.contains(it.key()))
                continue;
            const QByteArray hash = ValuesHash(it->values);
            const auto match = unpaired.find(hash);
            if (match == unpaired.end())
                continue;
            Pair(*match, it.key(), UidOf(it->card), it->etag, hash);
            unpaired.erase(match);
        }
    }

    static QString UidOf(const VCard& card)
    {
        const VCardProperty* uid = card.Find("UID");
        return uid ? uid->value : QString();
    }

    void Pair(long recNo, const QString& href, const QString& uid, const QByteArray& etag, const QByteArray& hash)
    {
        state_.entries[recNo] = {href, uid, etag, hash};
        byHref_[href] = recNo;
    }

    void Unpair(long recNo)
    {
        byHref_.remove(state_.entries[recNo].href);
        state_.entries.erase(recNo);
    }

    // The record takes the server's card (and is live again).
    void TakeServer(long recNo, const QString& href)
    {
        const ServerCard& card = cards_[href];
        const ExportValues stored = file_.Write(recNo, card.values);
        const QByteArray hash = ValuesHash(stored);
        const auto before = state_.entries.find(recNo);
        // A card whose ETag alone changed (one this file sent before a stop) is no news.
        if (before == state_.entries.end() || before->second.hash != hash || records_[recNo].deleted)
            ++outcome.in;
        Pair(recNo, href, UidOf(card.card), card.etag, hash);
        records_[recNo] = {stored, false};
    }

    // A card gone there: the record is deleted the way the window deletes, to be recalled.
    void SoftDelete(long recNo)
    {
        file_.SetDeleted(recNo, true);
        records_[recNo].deleted = true;
        ++outcome.deleted;
    }

    // Live records no card stands for yet go out (or, on a first sync taking the
    // server's side, are soft-deleted).
    void CollectNewRecords(bool first)
    {
        for (const auto& [recNo, record] : records_)
            if (!record.deleted && !state_.entries.count(recNo)) {
                if (first && o_.first == FirstSync::Server)
                    SoftDelete(recNo);
                else
                    newCards_.push_back(recNo);
            }
    }

    void Settle(bool first)
    {
        std::vector<long> gone, outgoing;
        const std::map<long, SyncEntry> entries = state_.entries;
        for (const auto& [recNo, e] : entries) {
            const auto rec = records_.find(recNo);
            const bool missing = rec == records_.end();
            const bool localGone = missing || rec->second.deleted;
            const bool serverChanged = cards_.contains(e.href) && cards_[e.href].etag != e.etag;
            if (e.etag.isEmpty() && !serverChanged) {
                // Sent or being written when a sync stopped, and not on the server.
                if (localGone)
                    Unpair(recNo);
                else
                    newCards_.push_back(recNo);
            } else if (removed_.contains(e.href)) {
                Unpair(recNo);
                if (localChanged_.contains(recNo))
                    newCards_.push_back(recNo);
                else if (!localGone)
                    SoftDelete(recNo);
            } else if (missing && serverChanged) {
                Unpair(recNo);
                incoming_.push_back(e.href);
            } else if (localGone && serverChanged)
                TakeServer(recNo, e.href);
            else if (localGone)
                gone.push_back(recNo);
            else if (localChanged_.contains(recNo) && serverChanged) {
                if (Conflict(recNo))
                    outgoing.push_back(recNo);
            } else if (localChanged_.contains(recNo))
                outgoing.push_back(recNo);
            else if (serverChanged)
                TakeServer(recNo, e.href);
        }
        for (auto it = cards_.cbegin(); it != cards_.cend(); ++it)
            if (!byHref_.contains(it.key()))
                incoming_.push_back(it.key());
        Save();
        Step(60);
        if (first && o_.first == FirstSync::Local)
            DeleteCards(incoming_);
        else
            AppendIncoming();
        Step(70);
        CollectNewRecords(first);
        SendNew();
        Step(85);
        SendChanges(outgoing);
        DeleteLocalGone(gone);
    }

    // Settles a conflict; true when the local values are to go out.
    bool Conflict(long recNo)
    {
        const SyncEntry e = state_.entries[recNo];
        SyncConflict conflict{recNo, e.href, records_[recNo].values, cards_[e.href].values};
        ++outcome.conflicts;
        if (ValuesHash(conflict.local) == ValuesHash(conflict.server)) {
            // Both made the same change.
            Pair(recNo, e.href, e.uid, cards_[e.href].etag, ValuesHash(conflict.local));
            --outcome.conflicts;
            return false;
        }
        const ConflictChoice choice = o_.resolve ? o_.resolve(conflict) : ConflictChoice::KeepBoth;
        const QString name = RecordName(conflict.local);
        if (choice == ConflictChoice::KeepLocal) {
            state_.entries[recNo].etag = cards_[e.href].etag;
            outcome.conflicted << name + QStringLiteral(": kept this file's");
            return true;
        }
        TakeServer(recNo, e.href);
        if (choice == ConflictChoice::KeepBoth) {
            const long added = file_.RecordCount() + 1;
            records_[added] = {file_.Append(conflict.local), false};
            file_.Flush();
            outcome.conflicted << name + QStringLiteral(": kept both");
        } else
            outcome.conflicted << name + QStringLiteral(": kept the server's");
        return false;
    }

    void AppendIncoming()
    {
        // Noted as unconfirmed first, so a stop before the records are written takes
        // the cards again rather than doubling them.
        long next = file_.RecordCount();
        for (const QString& href : incoming_)
            Pair(++next, href, UidOf(cards_[href].card), QByteArray(), QByteArray());
        Save();
        next = file_.RecordCount();
        for (const QString& href : incoming_) {
            const ServerCard& card = cards_[href];
            const ExportValues stored = file_.Append(card.values);
            records_[++next] = {stored, false};
            state_.entries[next].etag = card.etag;
            state_.entries[next].hash = ValuesHash(stored);
            ++outcome.in;
        }
        file_.Flush();
        Save();
    }

    // Sends requests in batches, saving the state after each.
    template <typename Made, typename Done>
    void InBatches(const std::vector<long>& recNos, Made make, Done done)
    {
        for (std::size_t at = 0; at < recNos.size(); at += kSendBatch) {
            const std::vector<long> batch(recNos.begin() + long(at),
                                          recNos.begin() + long(std::min(recNos.size(), at + kSendBatch)));
            std::vector<DavRequest> requests;
            for (long recNo : batch)
                requests.push_back(make(recNo));
            const std::vector<DavReply> replies = client_->SendAll(requests);
            for (std::size_t i = 0; i < batch.size(); ++i) {
                if (!replies[i].error.isEmpty() || replies[i].status == 401)
                    throw Failed{DavFailure(replies[i], {})};
                done(batch[i], replies[i]);
            }
            Save();
        }
    }

    void Refused(long recNo, const DavReply& reply)
    {
        outcome.refused << QStringLiteral("%1: the server refused it (%2)")
                               .arg(RecordName(records_[recNo].values))
                               .arg(reply.status);
    }

    void SendNew()
    {
        const QString base =
            state_.collection.path().endsWith(u'/') ? state_.collection.path() : state_.collection.path() + u'/';
        for (long recNo : newCards_)
            if (!state_.entries.count(recNo)) {
                const QString uid = QUuid::createUuid().toString(QUuid::WithoutBraces);
                Pair(recNo, base + uid + QStringLiteral(".vcf"), uid, QByteArray(), ValuesHash(records_[recNo].values));
            }
        Save();
        if (emptyBook_ && newCards_.size() >= kWholeBookFrom && SendWholeBook())
            return;
        InBatches(
            newCards_,
            [this](long recNo) {
                const SyncEntry& e = state_.entries[recNo];
                return DavRequest{"PUT",
                                  UrlOf(e.href),
                                  CardForRecord(records_[recNo].values, e.uid),
                                  {{"If-None-Match", "*"}},
                                  "text/vcard; charset=utf-8"};
            },
            [this](long recNo, const DavReply& reply) {
                if (reply.status / 100 == 2) {
                    state_.entries[recNo].etag = reply.etag.isEmpty() ? QByteArray("?") : reply.etag;
                    ++outcome.out;
                } else if (reply.status == 412) {
                    // There already: it went out before a sync stopped. Its ETag comes next time.
                    state_.entries[recNo].etag = "?";
                    ++outcome.out;
                } else {
                    Refused(recNo, reply);
                    Unpair(recNo);
                }
            });
        newCards_.clear();
    }

    // Fills an empty address book in one request. Servers that check each new card
    // against all the others (radicale) take a time per card that grows with the book;
    // those that take a whole book in one PUT take thousands of cards at once. False when
    // the server does not, or gave the book no ETag (nothing would then stop the PUT
    // replacing cards that arrived since the listing), and nothing was changed.
    bool SendWholeBook()
    {
        if (collectionEtag_.isEmpty())
            return false;
        QByteArray book;
        for (long recNo : newCards_)
            book += CardForRecord(records_[recNo].values, state_.entries[recNo].uid);
        // The server answers only when it has stored every card.
        DavRequest put{"PUT", state_.collection, book, {}, "text/vcard; charset=utf-8", kWholeBookWaitMs};
        put.headers.append({"If-Match", collectionEtag_});
        if (client_->Send(put).status / 100 != 2)
            return false;
        emptyBook_ = false;
        // The whole book's PUT forgets the collection's name.
        if (!collectionName_.isEmpty())
            client_->Send({"PROPPATCH", state_.collection, ProppatchDisplayName(collectionName_), {}});
        // With a fresh token where the server gives one, so the next sync need not list
        // every card again.
        const DavReply listing =
            syncReport_
                ? client_->Send({"REPORT", state_.collection, SyncCollectionReport(QString()), {{"Depth", "0"}}})
                : client_->Send({"PROPFIND", state_.collection, PropfindEtags(), {{"Depth", "1"}}});
        if (const QString failure = DavFailure(listing, {207}); !failure.isEmpty())
            throw Failed{failure};
        const Multistatus ms = ReadMultistatus(listing.body);
        if (!ms.syncToken.isEmpty())
            newToken_ = ms.syncToken;
        QHash<QString, QByteArray> etags;
        for (const DavResource& r : ms.resources)
            etags.insert(r.href, r.etag);
        for (long recNo : newCards_) {
            SyncEntry& e = state_.entries[recNo];
            e.etag = etags.value(e.href);
            outcome.out += e.etag.isEmpty() ? 0 : 1;
        }
        newCards_.clear();
        Save();
        return true;
    }

    void SendChanges(const std::vector<long>& recNos)
    {
        std::vector<long> lost;
        InBatches(
            recNos,
            [this](long recNo) {
                const SyncEntry& e = state_.entries[recNo];
                const auto card = cards_.constFind(e.href);
                return DavRequest{
                    "PUT",
                    UrlOf(e.href),
                    CardForRecord(records_[recNo].values, e.uid, card == cards_.cend() ? nullptr : &card->card),
                    {{"If-Match", e.etag}},
                    "text/vcard; charset=utf-8"};
            },
            [this, &lost](long recNo, const DavReply& reply) {
                SyncEntry& e = state_.entries[recNo];
                if (reply.status / 100 == 2) {
                    e.etag = reply.etag.isEmpty() ? QByteArray("?") : reply.etag;
                    e.hash = ValuesHash(records_[recNo].values);
                    ++outcome.out;
                } else if (reply.status == 412 || reply.status == 404)
                    lost.push_back(recNo);
                else
                    Refused(recNo, reply);
            });
        if (lost.empty())
            return;
        // Changed there while this sync ran: a conflict after all; or gone there, when
        // the record goes out as a new card.
        FetchCards(HrefsOf(lost));
        std::vector<long> again;
        for (long recNo : lost) {
            const SyncEntry& e = state_.entries[recNo];
            if (cards_.contains(e.href) && cards_[e.href].etag != e.etag) {
                if (Conflict(recNo))
                    again.push_back(recNo);
            } else
                Unpair(recNo);
        }
        CollectNewRecords(false);
        SendNew();
        SendChanges(again);
    }

    QStringList HrefsOf(const std::vector<long>& recNos)
    {
        QStringList hrefs;
        for (long recNo : recNos)
            hrefs << state_.entries[recNo].href;
        return hrefs;
    }

    void DeleteLocalGone(const std::vector<long>& recNos)
    {
        std::vector<long> lost;
        InBatches(
            recNos,
            [this](long recNo) {
                const SyncEntry& e = state_.entries[recNo];
                return DavRequest{"DELETE", UrlOf(e.href), {}, {{"If-Match", e.etag}}};
            },
            [this, &lost](long recNo, const DavReply& reply) {
                if (reply.status == 412)
                    lost.push_back(recNo);
                else {
                    if (reply.status / 100 == 2)
                        ++outcome.deleted;
                    Unpair(recNo);
                }
            });
        if (lost.empty())
            return;
        // Changed there since: the record comes back with the server's card.
        FetchCards(HrefsOf(lost));
        for (long recNo : lost)
            if (cards_.contains(state_.entries[recNo].href))
                TakeServer(recNo, state_.entries[recNo].href);
        Save();
    }

    void DeleteCards(const QStringList& hrefs)
    {
        std::vector<DavRequest> requests;
        for (const QString& href : hrefs)
            requests.push_back({"DELETE", UrlOf(href), {}, {{"If-Match", cards_[href].etag}}});
        for (const DavReply& reply : client_->SendAll(requests))
            if (reply.status / 100 == 2)
                ++outcome.deleted;
    }

    const SyncOptions& o_;
    QString statePath_;
    std::unique_ptr<DavClient> client_;
    SyncState state_;
    SyncedFile file_;
    bool syncReport_ = false;
    bool emptyBook_ = false;
    QByteArray collectionEtag_;
    QString collectionName_;
    QString newToken_;
    QHash<QString, QByteArray> listed_;
    QSet<QString> removed_;
    QHash<QString, long> byHref_;
    std::map<long, SyncedRecord> records_;
    QSet<long> localChanged_;
    QHash<QString, ServerCard> cards_;
    QStringList incoming_;
    std::vector<long> newCards_;
};

} // namespace

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
    Sync sync(options);
    try {
        sync.Run();
    } catch (const Failed& failure) {
        sync.outcome.error = failure.message;
    } catch (const TableError& error) {
        sync.outcome.error = error.Message();
    }
    return sync.outcome;
}
