#pragma once
// One run of the CardDAV sync, shared by the files that do its steps: cardsync.cpp runs
// them in order, synclisting.cpp learns what changed on the server, syncsettle.cpp
// decides what each change does to the file, syncsend.cpp sends what goes out.

#include "carddav/cardsync.h"
#include "carddav/davclient.h"
#include "carddav/syncedfile.h"
#include "carddav/syncstate.h"
#include "exchange/vcardreader.h"

#include <QHash>
#include <QSet>
#include <memory>

struct SyncFailed {
    QString message;
};

struct ServerCard {
    QByteArray etag;
    VCard card;
    ExportValues values;
};

class SyncRun {
public:
    explicit SyncRun(const SyncOptions& options) : o_(options), statePath_(SyncState::PathFor(options.file)) {}

    void Run();

    SyncOutcome outcome;

private:
    void Step(int percent)
    {
        if (o_.progress)
            o_.progress(percent);
    }

    void Save();

    QUrl UrlOf(const QString& href) const
    {
        QUrl url = state_.collection;
        url.setPath(href);
        return url;
    }

    void SetUp();

    void CheckCollection();

    void CheckListing(const DavReply& reply) const;

    // What changed on the server: by sync token where offered, else every card's ETag.
    void List();

    void FindLocalChanges();

    // The cards that changed there, and those of records changed here (whose other
    // properties the card going out keeps), by addressbook-multiget in batches.
    void Fetch();

    void FetchCards(const QStringList& hrefs);

    // A first merge pairs a new card with a record holding the same values.
    void PairIdentical();

    static QString UidOf(const VCard& card)
    {
        const VCardProperty* uid = card.Find("UID");
        return uid ? uid->value : QString();
    }

    void Pair(long recNo, const QString& href, const QString& uid, const QByteArray& etag, const QByteArray& hash);

    void Unpair(long recNo);

    // The record takes the server's card (and is live again).
    void TakeServer(long recNo, const QString& href);

    // A card gone there: the record is deleted the way the window deletes, to be recalled.
    void SoftDelete(long recNo);

    // Live records no card stands for yet go out (or, on a first sync taking the
    // server's side, are soft-deleted).
    void CollectNewRecords(bool first);

    void Settle(bool first);

    // Settles a conflict; true when the local values are to go out.
    bool Conflict(long recNo);

    void AppendIncoming();

    // Sends requests in batches, saving the state after each.
    template <typename Made, typename Done>
    void InBatches(const std::vector<long>& recNos, Made make, Done done);

    void Refused(long recNo, const DavReply& reply);

    void SendNew();

    // Fills an empty address book in one request. Servers that check each new card
    // against all the others (radicale) take a time per card that grows with the book;
    // those that take a whole book in one PUT take thousands of cards at once. False when
    // the server does not, or gave the book no ETag (nothing would then stop the PUT
    // replacing cards that arrived since the listing), and nothing was changed.
    bool SendWholeBook();

    void SendChanges(const std::vector<long>& recNos);

    QStringList HrefsOf(const std::vector<long>& recNos);

    void DeleteLocalGone(const std::vector<long>& recNos);

    void DeleteCards(const QStringList& hrefs);

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
