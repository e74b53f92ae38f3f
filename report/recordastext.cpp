#include "report/recordastext.h"

#include "platform/trim.h"

namespace {

// A value's contribution to a composed line: left-trimmed and followed by one blank, or
// nothing for an empty or all-blank value.
QString part(const QString& value)
{
    const QString trimmed = TrimLeading(value);
    return trimmed.isEmpty() ? QString() : trimmed + QLatin1Char(' ');
}

class Lines {
public:
    void add(const QString& line)
    {
        if (!line.isEmpty())
            text_ += line + QStringLiteral("\r\n");
    }
    void addLabelled(const QString& label, const QString& value)
    {
        if (!value.isEmpty())
            add(label + value);
    }
    const QString& text() const { return text_; }

private:
    QString text_;
};

} // namespace

QString RecordAsText(const RecordField& field, const RecordTextParts& parts)
{
    Lines lines;
    if (parts.name) {
        QString middle = field(QStringLiteral("MIDDLE"));
        if (!TrimBoth(middle).isEmpty())
            middle += QLatin1Char('.');
        lines.add(part(field(QStringLiteral("PREFIX"))) + part(field(QStringLiteral("FNAME"))) + part(middle) +
                  part(field(QStringLiteral("LNAME"))));
        lines.add(field(QStringLiteral("TITLE")));
        lines.add(field(QStringLiteral("ORG")));
    }
    if (parts.address) {
        lines.add(field(QStringLiteral("STREET")));
        lines.add(field(QStringLiteral("STREET2")));
        lines.add(part(field(QStringLiteral("CITY"))) + QLatin1Char(' ') + part(field(QStringLiteral("STATE"))) +
                  TrimLeading(field(QStringLiteral("ZIP"))));
        lines.add(part(field(QStringLiteral("COUNTRY"))));
    }
    if (parts.phoneNumbers) {
        lines.addLabelled(QStringLiteral("Phone  :"), field(QStringLiteral("PHONE")));
        lines.addLabelled(QStringLiteral("Phone 2:"), field(QStringLiteral("PHONE2")));
    }
    if (parts.codes)
        lines.addLabelled(QStringLiteral("Codes :"), field(QStringLiteral("CODES")));
    if (parts.comments)
        lines.addLabelled(QStringLiteral("Comment 1 :"), field(QStringLiteral("COMMENTS")));
    if (parts.email)
        lines.addLabelled(QStringLiteral("Email :"), field(QStringLiteral("EMAIL")));
    if (parts.webPage)
        lines.addLabelled(QStringLiteral("Web Page :"), field(QStringLiteral("WEBPAGE")));
    return lines.text();
}
