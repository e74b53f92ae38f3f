// What goes out to the server: new cards, changed cards, deletions.
#include "carddav/cardbuild.h"
#include "carddav/davxml.h"
#include "carddav/syncrun.h"

#include <QUuid>

namespace {

constexpr int kSendBatch = 100;
constexpr std::size_t kWholeBookFrom = 50;
constexpr int kWholeBookWaitMs = 15 * 60 * 1000;

} // namespace

template <typename Made, typename Done>
void SyncRun::InBatches(const std::vector<long>& recNos, Made make, Done done)
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
                throw SyncFailed{DavFailure(replies[i], {})};
            done(batch[i], replies[i]);
        }
        Save();
    }
}

void SyncRun::Refused(long recNo, const DavReply& reply)
{
    outcome.refused
        << QStringLiteral("%1: the server refused it (%2)").arg(RecordName(records_[recNo].values)).arg(reply.status);
}

void SyncRun::SendNew()
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

bool SyncRun::SendWholeBook()
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
        syncReport_ ? client_->Send({"REPORT", state_.collection, SyncCollectionReport(QString()), {{"Depth", "0"}}})
                    : client_->Send({"PROPFIND", state_.collection, PropfindEtags(), {{"Depth", "1"}}});
    if (const QString failure = DavFailure(listing, {207}); !failure.isEmpty())
        throw SyncFailed{failure};
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

void SyncRun::SendChanges(const std::vector<long>& recNos)
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

QStringList SyncRun::HrefsOf(const std::vector<long>& recNos)
{
    QStringList hrefs;
    for (long recNo : recNos)
        hrefs << state_.entries[recNo].href;
    return hrefs;
}

void SyncRun::DeleteLocalGone(const std::vector<long>& recNos)
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

void SyncRun::DeleteCards(const QStringList& hrefs)
{
    std::vector<DavRequest> requests;
    for (const QString& href : hrefs)
        requests.push_back({"DELETE", UrlOf(href), {}, {{"If-Match", cards_[href].etag}}});
    for (const DavReply& reply : client_->SendAll(requests))
        if (reply.status / 100 == 2)
            ++outcome.deleted;
}
