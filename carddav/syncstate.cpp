#include "carddav/syncstate.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>

bool SyncState::Load(const QString& path, QString* error)
{
    *this = SyncState();
    QFile file(path);
    if (!file.exists())
        return true;
    QJsonParseError parse;
    const QJsonDocument doc =
        file.open(QIODevice::ReadOnly) ? QJsonDocument::fromJson(file.readAll(), &parse) : QJsonDocument();
    if (!doc.isObject()) {
        *error = QStringLiteral("the sync state %1 cannot be read; move it away to set the sync up afresh").arg(path);
        return false;
    }
    const QJsonObject o = doc.object();
    server = QUrl(o[QLatin1String("server")].toString());
    user = o[QLatin1String("user")].toString();
    collection = QUrl(o[QLatin1String("collection")].toString());
    token = o[QLatin1String("token")].toString();
    records = o[QLatin1String("records")].toInteger();
    syncOnOpen = o[QLatin1String("syncOnOpen")].toBool();
    for (const QJsonValue& v : o[QLatin1String("cards")].toArray()) {
        const QJsonObject e = v.toObject();
        entries[e[QLatin1String("record")].toInteger()] = {
            e[QLatin1String("href")].toString(), e[QLatin1String("uid")].toString(),
            e[QLatin1String("etag")].toString().toUtf8(), e[QLatin1String("hash")].toString().toLatin1()};
    }
    return true;
}

bool SyncState::Save(const QString& path, QString* error) const
{
    QJsonArray cards;
    for (const auto& [record, e] : entries)
        cards.append(QJsonObject{{QLatin1String("record"), qint64(record)},
                                 {QLatin1String("href"), e.href},
                                 {QLatin1String("uid"), e.uid},
                                 {QLatin1String("etag"), QString::fromUtf8(e.etag)},
                                 {QLatin1String("hash"), QString::fromLatin1(e.hash)}});
    const QJsonObject o{{QLatin1String("server"), server.toString()},
                        {QLatin1String("user"), user},
                        {QLatin1String("collection"), collection.toString()},
                        {QLatin1String("token"), token},
                        {QLatin1String("records"), qint64(records)},
                        {QLatin1String("syncOnOpen"), syncOnOpen},
                        {QLatin1String("cards"), cards}};
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly) && file.write(QJsonDocument(o).toJson(QJsonDocument::Compact)) >= 0 &&
        file.commit())
        return true;
    *error = QStringLiteral("cannot write the sync state %1: %2").arg(path, file.errorString());
    return false;
}
