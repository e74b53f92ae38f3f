#include "carddav/cardbuild.h"

#include "exchange/vcardmapping.h"
#include "exchange/vcardwriter.h"

#include <QCryptographicHash>

namespace {

int SkippedCount(const VCard& card)
{
    int count = 0;
    for (int n : MapVCard(card).skipped)
        count += n;
    return count;
}

// Properties the record's card writes afresh even though no field holds them.
bool WrittenAfresh(const QByteArray& name)
{
    return name == "FN" || name == "UID" || name == "REV" || name == "PRODID" || name == "VERSION";
}

// The server card's properties that no field takes, as lines. Whether a field takes a
// property depends on those before it (the first ADR, the first two phones), so each is
// judged by mapping the card up to it, which is what the import would have done.
QByteArray KeptLines(const VCard& server)
{
    QByteArray out;
    VCard prefix;
    int skipped = 0;
    for (const VCardProperty& p : server.properties) {
        prefix.properties.push_back(p);
        const int now = SkippedCount(prefix);
        if (now == skipped || WrittenAfresh(p.name)) {
            skipped = now;
            continue;
        }
        skipped = now;
        out.append(p.name);
        for (const auto& [key, value] : p.params) {
            // The value is kept decoded, in UTF-8.
            if (key == "ENCODING" || key == "CHARSET")
                continue;
            out.append(';').append(key).append('=');
            const bool quote = value.contains(u':') || value.contains(u';');
            out.append(quote ? "\"" : "").append(value.toUtf8()).append(quote ? "\"" : "");
        }
        out.append(':').append(p.value.toUtf8()).append("\r\n");
    }
    return out;
}

} // namespace

QByteArray CardForRecord(const ExportValues& values, const QString& uid, const VCard* serverCard)
{
    QByteArray card;
    AppendVCard(values, card);
    static const QByteArray end = QByteArrayLiteral("END:VCARD\r\n");
    card.chop(end.size());
    card.append("UID:").append(uid.toUtf8()).append("\r\n");
    if (serverCard)
        card.append(KeptLines(*serverCard));
    card.append(end);
    return card;
}

QByteArray ValuesHash(const ExportValues& values)
{
    QCryptographicHash hash(QCryptographicHash::Sha1);
    for (const QString& value : values) {
        hash.addData(value.toUtf8());
        hash.addData(QByteArrayView("\x1f", 1));
    }
    return hash.result().toHex().left(20);
}
