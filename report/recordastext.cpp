#include "report/recordastext.h"

#include "platform/trim.h"
#include "report/addressparts.h"

namespace {

// Pasted text ends its lines as the system's own text files do.
#ifdef Q_OS_WIN
const QString kLineEnd = QStringLiteral("\r\n");
#else
const QString kLineEnd = QStringLiteral("\n");
#endif

class Lines {
public:
    void add(const QString& line)
    {
        if (!line.isEmpty())
            text_ += line + kLineEnd;
    }
    void addLabelled(const QString& label, const QString& value)
    {
        if (!value.isEmpty())
            add(label + QStringLiteral(" : ") + value);
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
        lines.add(ComposeNameLine(field(QStringLiteral("PREFIX")), field(QStringLiteral("FNAME")),
                                  field(QStringLiteral("MIDDLE")), field(QStringLiteral("LNAME"))));
        lines.add(field(QStringLiteral("TITLE")));
        lines.add(field(QStringLiteral("ORG")));
    }
    if (parts.address) {
        lines.add(field(QStringLiteral("STREET")));
        lines.add(field(QStringLiteral("STREET2")));
        lines.add(AddressPart(field(QStringLiteral("CITY"))) + QLatin1Char(' ') +
                  AddressPart(field(QStringLiteral("STATE"))) + TrimLeading(field(QStringLiteral("ZIP"))));
        lines.add(AddressPart(field(QStringLiteral("COUNTRY"))));
    }
    if (parts.phoneNumbers) {
        lines.addLabelled(QStringLiteral("Phone 1"), field(QStringLiteral("PHONE")));
        lines.addLabelled(QStringLiteral("Phone 2"), field(QStringLiteral("PHONE2")));
    }
    if (parts.codes)
        lines.addLabelled(QStringLiteral("Codes"), field(QStringLiteral("CODES")));
    if (parts.comments)
        lines.addLabelled(QStringLiteral("Comment 1"), field(QStringLiteral("COMMENTS")));
    if (parts.email)
        lines.addLabelled(QStringLiteral("Email"), field(QStringLiteral("EMAIL")));
    if (parts.webPage)
        lines.addLabelled(QStringLiteral("Web Page"), field(QStringLiteral("WEBPAGE")));
    return lines.text();
}
