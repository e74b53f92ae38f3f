#include "dial/links.h"

#include <QRegularExpression>

namespace {

bool StartsWithMailto(const QString& text)
{
    return text.startsWith(QLatin1String("mailto:"), Qt::CaseInsensitive);
}

} // namespace

QUrl MailLink(const QString& email)
{
    QString address = email.trimmed();
    if (StartsWithMailto(address))
        address = address.mid(7);
    if (address.isEmpty())
        return {};
    QUrl link;
    link.setScheme(QStringLiteral("mailto"));
    link.setPath(address, QUrl::DecodedMode);
    return link.isValid() ? link : QUrl();
}

QUrl WebPageLink(const QString& page)
{
    QString text = page.trimmed();
    if (StartsWithMailto(text))
        return MailLink(text);
    // A scheme is letters first, then letters, digits, "+", "-" or "."; a host followed by a
    // port ("example.com:8080") looks alike and is not one.
    static const QRegularExpression scheme(QStringLiteral("^[A-Za-z][A-Za-z0-9+.-]*:(?!\\d+(/|$))"));
    if (!scheme.match(text).hasMatch())
        text.prepend(QStringLiteral("http://"));
    const QUrl link(text);
    const bool web = link.scheme() == QLatin1String("http") || link.scheme() == QLatin1String("https");
    return web && link.isValid() && !link.host().isEmpty() ? link : QUrl();
}
