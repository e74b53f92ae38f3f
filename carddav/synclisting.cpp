// What changed on the server since the last sync, and the cards a sync needs.
#include "carddav/cardbuild.h"
#include "carddav/davxml.h"
#include "carddav/syncrun.h"
#include "exchange/vcardmapping.h"

namespace {

constexpr int kFetchBatch = 500;

} // namespace

void SyncRun::CheckCollection()
{
    const DavReply reply =
        client_->Send({"PROPFIND", state_.collection, PropfindCollections(state_.token.isEmpty()), {{"Depth", "0"}}});
    CheckListing(reply);
    for (const DavResource& r : ReadMultistatus(reply.body).resources)
        if (r.addressBook) {
            syncReport_ |= r.syncCollection;
            collectionEtag_ = r.etag;
            collectionName_ = r.displayName;
        }
}

void SyncRun::CheckListing(const DavReply& reply) const
{
    if (reply.status == 404)
        throw SyncFailed{QStringLiteral("the address book %1 is no longer on the server; set the sync up again")
                             .arg(state_.collection.toString())};
    if (const QString failure = DavFailure(reply, {207}); !failure.isEmpty())
        throw SyncFailed{failure};
}

void SyncRun::List()
{
    const QString collectionPath = state_.collection.path();
    bool full = true;
    Multistatus ms;
    if (syncReport_) {
        DavReply reply =
            client_->Send({"REPORT", state_.collection, SyncCollectionReport(state_.token), {{"Depth", "0"}}});
        full = state_.token.isEmpty();
        const bool refused = reply.status / 100 == 4 || reply.status / 100 == 5;
        if (refused && reply.status != 401 && reply.status != 404 && !full) {
            // A token the server has forgotten: start from the whole listing, which is
            // always right. Most servers say so with 403 or 409, xandikos with 500.
            reply = client_->Send({"REPORT", state_.collection, SyncCollectionReport(QString()), {{"Depth", "0"}}});
            full = true;
        }
        CheckListing(reply);
        ms = ReadMultistatus(reply.body);
        newToken_ = ms.syncToken;
    } else {
        const DavReply reply = client_->Send({"PROPFIND", state_.collection, PropfindEtags(), {{"Depth", "1"}}});
        if (const QString failure = DavFailure(reply, {207}); !failure.isEmpty())
            throw SyncFailed{failure};
        ms = ReadMultistatus(reply.body);
    }
    if (!ms.error.isEmpty())
        throw SyncFailed{ms.error};
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

void SyncRun::FindLocalChanges()
{
    for (const auto& [recNo, e] : state_.entries) {
        const auto it = records_.find(recNo);
        if (it != records_.end() && !it->second.deleted && !e.etag.isEmpty() && ValuesHash(it->second.values) != e.hash)
            localChanged_.insert(recNo);
    }
}

void SyncRun::Fetch()
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

void SyncRun::FetchCards(const QStringList& hrefs)
{
    std::vector<DavRequest> requests;
    for (qsizetype at = 0; at < hrefs.size(); at += kFetchBatch)
        requests.push_back({"REPORT", state_.collection, MultigetReport(hrefs.mid(at, kFetchBatch)), {{"Depth", "1"}}});
    for (const DavReply& reply : client_->SendAll(requests)) {
        if (const QString failure = DavFailure(reply, {207}); !failure.isEmpty())
            throw SyncFailed{failure};
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
