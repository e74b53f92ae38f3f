#include "carddav/davxml.h"

#include <QUrl>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>

namespace {

const QString kDav = QStringLiteral("DAV:");
const QString kCard = QStringLiteral("urn:ietf:params:xml:ns:carddav");

// The href inside the property element the reader stands on.
QString InnerHref(QXmlStreamReader& xml)
{
    QString href;
    while (xml.readNextStartElement()) {
        if (xml.name() == QLatin1String("href") && href.isEmpty())
            href = QUrl::fromPercentEncoding(xml.readElementText().trimmed().toUtf8());
        else
            xml.skipCurrentElement();
    }
    return href;
}

int StatusOf(const QString& line)
{
    const QStringList parts = line.split(u' ', Qt::SkipEmptyParts);
    return parts.size() > 1 ? parts[1].toInt() : 0;
}

void ReadProp(QXmlStreamReader& xml, DavResource& r)
{
    while (xml.readNextStartElement()) {
        const auto name = xml.name();
        if (name == QLatin1String("getetag"))
            r.etag = xml.readElementText().trimmed().toUtf8();
        else if (name == QLatin1String("displayname"))
            r.displayName = xml.readElementText().trimmed();
        else if (name == QLatin1String("address-data"))
            r.addressData = xml.readElementText().toUtf8();
        else if (name == QLatin1String("current-user-principal"))
            r.principal = InnerHref(xml);
        else if (name == QLatin1String("addressbook-home-set"))
            r.home = InnerHref(xml);
        else if (name == QLatin1String("resourcetype")) {
            while (xml.readNextStartElement()) {
                r.addressBook |= xml.name() == QLatin1String("addressbook") && xml.namespaceUri() == kCard;
                xml.skipCurrentElement();
            }
        } else if (name == QLatin1String("supported-report-set")) {
            // Only the names matter, however deeply the server nests them.
            int depth = 1;
            while (depth > 0 && !xml.atEnd()) {
                const auto token = xml.readNext();
                if (token == QXmlStreamReader::StartElement) {
                    ++depth;
                    r.syncCollection |= xml.name() == QLatin1String("sync-collection");
                } else if (token == QXmlStreamReader::EndElement)
                    --depth;
            }
        } else
            xml.skipCurrentElement();
    }
}

void ReadResponse(QXmlStreamReader& xml, DavResource& r)
{
    while (xml.readNextStartElement()) {
        const auto name = xml.name();
        if (name == QLatin1String("href"))
            r.href = QUrl::fromPercentEncoding(xml.readElementText().trimmed().toUtf8());
        else if (name == QLatin1String("status"))
            r.status = StatusOf(xml.readElementText());
        else if (name == QLatin1String("propstat")) {
            DavResource found;
            int status = 200;
            while (xml.readNextStartElement()) {
                if (xml.name() == QLatin1String("prop"))
                    ReadProp(xml, found);
                else if (xml.name() == QLatin1String("status"))
                    status = StatusOf(xml.readElementText());
                else
                    xml.skipCurrentElement();
            }
            // Properties the server does not have come in a 404 propstat of their own.
            if (status / 100 != 2)
                continue;
            r.etag = found.etag.isEmpty() ? r.etag : found.etag;
            r.displayName = found.displayName.isEmpty() ? r.displayName : found.displayName;
            r.addressData = found.addressData.isEmpty() ? r.addressData : found.addressData;
            r.principal = found.principal.isEmpty() ? r.principal : found.principal;
            r.home = found.home.isEmpty() ? r.home : found.home;
            r.addressBook |= found.addressBook;
            r.syncCollection |= found.syncCollection;
        } else
            xml.skipCurrentElement();
    }
}

class Body {
public:
    explicit Body(const char* root) : xml_(&out_)
    {
        xml_.writeStartDocument();
        xml_.writeNamespace(kDav, QStringLiteral("d"));
        xml_.writeNamespace(kCard, QStringLiteral("card"));
        xml_.writeStartElement(root[0] == 'c' ? kCard : kDav, QString::fromLatin1(root + 2));
    }
    QXmlStreamWriter& xml() { return xml_; }
    void Props(std::initializer_list<std::pair<const QString*, const char*>> props)
    {
        xml_.writeStartElement(kDav, QStringLiteral("prop"));
        for (const auto& [ns, name] : props)
            xml_.writeEmptyElement(*ns, QString::fromLatin1(name));
        xml_.writeEndElement();
    }
    QByteArray Done()
    {
        xml_.writeEndDocument();
        return out_;
    }

private:
    QByteArray out_;
    QXmlStreamWriter xml_;
};

} // namespace

Multistatus ReadMultistatus(const QByteArray& body)
{
    Multistatus result;
    QXmlStreamReader xml(body);
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == QLatin1String("response")) {
            DavResource r;
            ReadResponse(xml, r);
            result.resources.push_back(std::move(r));
        } else if (xml.name() == QLatin1String("sync-token"))
            result.syncToken = xml.readElementText().trimmed();
    }
    if (xml.hasError())
        result.error = QStringLiteral("the server's answer is not readable XML: ") + xml.errorString();
    return result;
}

QByteArray PropfindPrincipal()
{
    Body b("d:propfind");
    b.Props({{&kDav, "current-user-principal"}, {&kCard, "addressbook-home-set"}, {&kDav, "resourcetype"}});
    return b.Done();
}

QByteArray PropfindCollections(bool withEtag)
{
    Body b("d:propfind");
    if (withEtag)
        b.Props({{&kDav, "resourcetype"}, {&kDav, "displayname"}, {&kDav, "supported-report-set"}, {&kDav, "getetag"}});
    else
        b.Props({{&kDav, "resourcetype"}, {&kDav, "displayname"}, {&kDav, "supported-report-set"}});
    return b.Done();
}

QByteArray PropfindEtags()
{
    Body b("d:propfind");
    b.Props({{&kDav, "getetag"}, {&kDav, "resourcetype"}});
    return b.Done();
}

QByteArray ProppatchDisplayName(const QString& name)
{
    Body b("d:propertyupdate");
    b.xml().writeStartElement(kDav, QStringLiteral("set"));
    b.xml().writeStartElement(kDav, QStringLiteral("prop"));
    b.xml().writeTextElement(kDav, QStringLiteral("displayname"), name);
    b.xml().writeEndElement();
    b.xml().writeEndElement();
    return b.Done();
}

QByteArray SyncCollectionReport(const QString& token)
{
    Body b("d:sync-collection");
    b.xml().writeTextElement(kDav, QStringLiteral("sync-token"), token);
    b.xml().writeTextElement(kDav, QStringLiteral("sync-level"), QStringLiteral("1"));
    b.Props({{&kDav, "getetag"}});
    return b.Done();
}

QByteArray MultigetReport(const QStringList& hrefs)
{
    Body b("c:addressbook-multiget");
    b.Props({{&kDav, "getetag"}, {&kCard, "address-data"}});
    for (const QString& href : hrefs)
        b.xml().writeTextElement(kDav, QStringLiteral("href"), QString::fromUtf8(QUrl::toPercentEncoding(href, "/")));
    return b.Done();
}
