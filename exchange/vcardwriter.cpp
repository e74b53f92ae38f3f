#include "exchange/vcardwriter.h"

#include "exchange/exportbytes.h"
#include "exchange/exportdates.h"

#include <initializer_list>

namespace {

constexpr qsizetype FoldOctets = 75;

bool IsUtf8Continuation(char byte)
{
    return (static_cast<unsigned char>(byte) & 0xC0) == 0x80;
}

// Text values escape backslash, comma, semicolon and line breaks (a CR LF pair is one).
void AppendEscaped(QStringView text, QByteArray& out)
{
    qsizetype plain = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c != u'\\' && c != u',' && c != u';' && c != u'\r' && c != u'\n')
            continue;
        AppendUtf8(text.sliced(plain, i - plain), out);
        if (c == u'\r' || c == u'\n') {
            out.append("\\n");
            if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
                ++i;
        } else {
            out.append('\\');
            out.append(static_cast<char>(c.unicode()));
        }
        plain = i + 1;
    }
    AppendUtf8(text.sliced(plain), out);
}

// Writes the line folded: 75 octets, then CR LF and a blank before each further 74.
void AppendFolded(QByteArrayView line, QByteArray& out)
{
    qsizetype start = 0;
    qsizetype room = FoldOctets;
    while (line.size() - start > room) {
        qsizetype end = start + room;
        while (end > start + 1 && IsUtf8Continuation(line[end]))
            --end;
        out.append(line.sliced(start, end - start));
        out.append("\r\n ");
        start = end;
        room = FoldOctets - 1;
    }
    out.append(line.sliced(start));
    out.append("\r\n");
}

class CardLines {
public:
    explicit CardLines(QByteArray& out) : out_(out) {}

    void Text(const char* name, QStringView value)
    {
        if (!value.isEmpty())
            Components(name, {value});
    }
    // name:part;part;... with each part escaped; written even when every part is empty.
    void Components(const char* name, std::initializer_list<QStringView> parts)
    {
        Begin(name);
        bool first = true;
        for (QStringView part : parts) {
            if (!std::exchange(first, false))
                line_.append(';');
            AppendEscaped(part, line_);
        }
        AppendFolded(line_, out_);
    }

private:
    void Begin(const char* name)
    {
        line_.clear();
        line_.append(name);
        line_.append(':');
    }

    QByteArray& out_;
    QByteArray line_;
};

bool AnyText(std::initializer_list<QStringView> values)
{
    for (QStringView value : values)
        if (!value.isEmpty())
            return true;
    return false;
}

} // namespace

QString VCardFormattedName(const ExportValues& values)
{
    QString name;
    auto add = [&name](const QString& part, QStringView after = {}) {
        if (part.isEmpty())
            return;
        if (!name.isEmpty())
            name += u' ';
        name += part;
        name += after;
    };
    add(values[ExPrefix]);
    add(values[ExFirst]);
    add(values[ExMiddle], u".");
    add(values[ExLast]);
    return name;
}

void AppendVCard(const ExportValues& v, QByteArray& out)
{
    out.append("BEGIN:VCARD\r\nVERSION:3.0\r\n");
    CardLines lines(out);
    lines.Components("N", {v[ExLast], v[ExFirst], v[ExMiddle], v[ExPrefix], QStringView()});
    QString formatted = VCardFormattedName(v);
    lines.Components("FN", {!formatted.isEmpty() ? formatted : !v[ExOrg].isEmpty() ? v[ExOrg] : v[ExEmail]});
    lines.Text("ORG", v[ExOrg]);
    lines.Text("TITLE", v[ExTitle]);
    if (AnyText({v[ExStreet], v[ExStreet2], v[ExCity], v[ExState], v[ExZip], v[ExCountry]}))
        lines.Components("ADR;TYPE=WORK",
                         {QStringView(), v[ExStreet2], v[ExStreet], v[ExCity], v[ExState], v[ExZip], v[ExCountry]});
    lines.Text("TEL;TYPE=WORK,VOICE", v[ExPhone]);
    lines.Text("TEL;TYPE=VOICE", v[ExPhone2]);
    lines.Text("TEL;TYPE=WORK,FAX", v[ExFax]);
    lines.Text("EMAIL;TYPE=INTERNET", v[ExEmail]);
    // Escaped like text: readers take an unescaped comma in a URL for a list separator.
    lines.Text("URL", v[ExWebPage]);
    lines.Text("NOTE", v[ExComments]);
    lines.Text("CATEGORIES", v[ExCodes]);
    lines.Text("X-ADDRINA-DATE", ExportIsoDate(v[ExDate]));
    out.append("END:VCARD\r\n");
}
