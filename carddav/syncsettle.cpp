// What each change on either side does to the file and to the sync state.
#include "carddav/cardbuild.h"
#include "carddav/syncrun.h"

void SyncRun::PairIdentical()
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

void SyncRun::Pair(long recNo, const QString& href, const QString& uid, const QByteArray& etag, const QByteArray& hash)
{
    state_.entries[recNo] = {href, uid, etag, hash};
    byHref_[href] = recNo;
}

void SyncRun::Unpair(long recNo)
{
    byHref_.remove(state_.entries[recNo].href);
    state_.entries.erase(recNo);
}

void SyncRun::TakeServer(long recNo, const QString& href)
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

void SyncRun::SoftDelete(long recNo)
{
    file_.SetDeleted(recNo, true);
    records_[recNo].deleted = true;
    ++outcome.deleted;
}

void SyncRun::CollectNewRecords(bool first)
{
    for (const auto& [recNo, record] : records_)
        if (!record.deleted && !state_.entries.count(recNo)) {
            if (first && o_.first == FirstSync::Server)
                SoftDelete(recNo);
            else
                newCards_.push_back(recNo);
        }
}

void SyncRun::Settle(bool first)
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

bool SyncRun::Conflict(long recNo)
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

void SyncRun::AppendIncoming()
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
