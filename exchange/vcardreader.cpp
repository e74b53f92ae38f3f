#include "exchange/vcardreader.h"

#include "platform/textfile.h"

namespace {

bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

bool IsNameChar(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == '_';
}

QByteArrayView Trimmed(QByteArrayView text)
{
    while (!text.isEmpty() && IsBlank(text.front()))
        text = text.sliced(1);
    while (!text.isEmpty() && IsBlank(text.back()))
        text.chop(1);
    return text;
}

// The first wanted character outside a quoted parameter value, or -1.
qsizetype OutsideQuotes(QByteArrayView line, char wanted)
{
    bool quoted = false;
    for (qsizetype i = 0; i < line.size(); ++i) {
        if (line[i] == '"')
            quoted = !quoted;
        else if (line[i] == wanted && !quoted)
            return i;
    }
    return -1;
}

// Where the value begins.
qsizetype ValueColon(QByteArrayView line)
{
    return OutsideQuotes(line, ':');
}

char UpperAscii(char c)
{
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

// what is upper case.
bool ContainsNoCase(QByteArrayView text, QByteArrayView what)
{
    for (qsizetype i = 0; i + what.size() <= text.size(); ++i) {
        qsizetype j = 0;
        while (j < what.size() && UpperAscii(text[i + j]) == what[j])
            ++j;
        if (j == what.size())
            return true;
    }
    return false;
}

// Most values are plain ASCII: they need neither a decoder nor a check of their bytes.
QString DecodeValue(QByteArrayView bytes)
{
    for (char c : bytes)
        if (static_cast<unsigned char>(c) >= 0x80)
            return DecodeTextFile(bytes.toByteArray());
    return QString::fromLatin1(bytes);
}

// Is text the upper-case ASCII word upper, in any letter case?
bool IsNoCase(QByteArrayView text, QByteArrayView upper)
{
    if (text.size() != upper.size())
        return false;
    for (qsizetype i = 0; i < text.size(); ++i)
        if (UpperAscii(text[i]) != upper[i])
            return false;
    return true;
}

// Upper case, shared with the names most cards use rather than made anew for each line.
QByteArray UpperName(QByteArrayView name)
{
    static const QByteArray common[] = {
        "N",
        "FN",
        "ORG",
        "TITLE",
        "ADR",
        "TEL",
        "EMAIL",
        "URL",
        "NOTE",
        "CATEGORIES",
        "PHOTO",
        "BDAY",
        "PRODID",
        "REV",
        "UID",
        "KIND",
        "LABEL",
        "TYPE",
        "CHARSET",
        "ENCODING",
        "VALUE",
        "PREF",
        "X-ADDRINA-DATE",
    };
    for (const QByteArray& known : common)
        if (IsNoCase(name, known))
            return known;
    return name.toByteArray().toUpper();
}

// Where the first part of name;param;param ends: its first semicolon outside quotes.
qsizetype FirstPartEnd(QByteArrayView head)
{
    const qsizetype semicolon = OutsideQuotes(head, ';');
    return semicolon < 0 ? head.size() : semicolon;
}

// The parts of name;param;param before the colon, split outside quotes.
using HeadParts = QVarLengthArray<QByteArrayView, 8>;

HeadParts SplitHead(QByteArrayView head)
{
    HeadParts parts;
    bool quoted = false;
    qsizetype start = 0;
    for (qsizetype i = 0; i <= head.size(); ++i) {
        if (i < head.size() && head[i] == '"')
            quoted = !quoted;
        else if (i == head.size() || (head[i] == ';' && !quoted)) {
            parts.push_back(head.sliced(start, i - start));
            start = i + 1;
        }
    }
    return parts;
}

int HexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

// Quoted-printable: =XX is a byte; a malformed = sequence stands as it is.
QByteArray DecodeQuotedPrintable(QByteArrayView text)
{
    QByteArray out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == '=' && i + 2 < text.size() && HexDigit(text[i + 1]) >= 0 && HexDigit(text[i + 2]) >= 0) {
            out.append(static_cast<char>(HexDigit(text[i + 1]) * 16 + HexDigit(text[i + 2])));
            i += 2;
        } else {
            out.append(text[i]);
        }
    }
    return out;
}

QString DecodeCharset(const QByteArray& bytes, const QString& charset)
{
    const QString name = charset.toUpper();
    if (name == u"UTF-8")
        return QString::fromUtf8(bytes);
    if (name == u"ISO-8859-1" || name == u"LATIN1" || name == u"US-ASCII")
        return QString::fromLatin1(bytes);
    if (name == u"WINDOWS-1252" || name == u"CP1252")
        return FromWindows1252(bytes);
    return DecodeTextFile(bytes);
}

class Reader {
public:
    // A reader that does not keep properties only checks the file and counts its cards.
    explicit Reader(QByteArrayView data, bool keepProperties = true) : data_(data), keep_(keepProperties)
    {
        if (data_.startsWith("\xEF\xBB\xBF"))
            data_ = data_.sliced(3);
    }

    // Reads on to the end of the next card; false at the end of the file or at an error.
    bool Next(VCard& card)
    {
        while (!ready_ && pos_ < data_.size() && error_.isEmpty()) {
            qsizetype end = pos_;
            while (end < data_.size() && data_[end] != '\n' && data_[end] != '\r')
                ++end;
            Physical(data_.sliced(pos_, end - pos_), ++number_);
            if (end < data_.size() && data_[end] == '\r' && end + 1 < data_.size() && data_[end + 1] == '\n')
                ++end;
            pos_ = end + 1;
        }
        if (!ready_ && error_.isEmpty() && !finished_) {
            finished_ = true;
            Logical();
            if (error_.isEmpty() && inCard_)
                Fail(card_.line, QStringLiteral("the vCard that begins here has no END:VCARD"));
            if (error_.isEmpty() && cards_ == 0)
                error_ = QStringLiteral("The file holds no vCard.");
        }
        if (!ready_ || !error_.isEmpty())
            return false;
        ready_ = false;
        std::swap(card, card_);
        return true;
    }

    const QString& Error() const { return error_; }

private:
    // One line of the file: either the continuation of the logical line being gathered, or
    // the start of the next.
    void Physical(QByteArrayView text, int number)
    {
        if (softBreak_) {
            Join().chop(1);
            line_ += text;
        } else if (!Gathered().isEmpty() && !text.isEmpty() && IsBlank(text.front())) {
            // 2.1 keeps the blank a line was folded at; 3.0 and 4.0 fold anywhere.
            Join() += card_.version == "2.1" ? text : text.sliced(1);
        } else if (base64_ && !text.isEmpty() && ValueColon(text) < 0) {
            Join() += Trimmed(text); // 2.1 base64 data runs on unindented until a blank line
        } else {
            Logical();
            single_ = text;
            lineNumber_ = number;
            const qsizetype colon = ValueColon(text);
            const QByteArrayView head = colon < 0 ? QByteArrayView() : text.first(colon);
            quotedPrintable_ = ContainsNoCase(head, "QUOTED-PRINTABLE");
            base64_ = ContainsNoCase(head, "BASE64") || ContainsNoCase(head, "ENCODING=B");
        }
        softBreak_ = quotedPrintable_ && Gathered().endsWith('=');
    }

    // The logical line gathered so far: the file's own bytes while it is one physical
    // line (most are), else the pieces joined in line_.
    QByteArrayView Gathered() const { return joined_ ? QByteArrayView(line_) : single_; }

    QByteArray& Join()
    {
        if (!joined_) {
            line_.resize(0);
            line_.append(single_);
            joined_ = true;
        }
        return line_;
    }

    void Logical()
    {
        if (!Gathered().isEmpty())
            LogicalLine(Gathered());
        single_ = {};
        joined_ = false;
        line_.resize(0); // keeps its room for the next line
    }

    void LogicalLine(QByteArrayView text)
    {
        if (Trimmed(text).isEmpty() || !error_.isEmpty())
            return;
        const qsizetype colon = ValueColon(text);
        if (colon < 0) {
            Fail(lineNumber_, QStringLiteral("\"%1\" is not a vCard line (it has no colon)")
                                  .arg(DecodeTextFile(text.first(std::min<qsizetype>(40, text.size())).toByteArray())));
            return;
        }
        const QByteArrayView head = text.first(colon);
        const QByteArrayView first = head.first(FirstPartEnd(head));
        QByteArrayView name = Trimmed(first);
        if (const qsizetype dot = name.lastIndexOf('.'); dot >= 0)
            name = name.sliced(dot + 1);
        bool valid = !name.isEmpty();
        for (char c : name)
            valid = valid && IsNameChar(c);
        if (!valid) {
            Fail(lineNumber_, QStringLiteral("\"%1\" is not a property name").arg(DecodeTextFile(first.toByteArray())));
            return;
        }
        const QByteArrayView value = text.sliced(colon + 1);
        if (IsNoCase(name, "BEGIN"))
            Begin(value);
        else if (IsNoCase(name, "END"))
            End(value);
        else if (!inCard_)
            Fail(lineNumber_, QStringLiteral("%1 outside a vCard (a card begins with BEGIN:VCARD)")
                                  .arg(QString::fromUtf8(name.toByteArray().toUpper())));
        else if (IsNoCase(name, "VERSION"))
            Version(value);
        else if (keep_)
            Property(UpperName(name), SplitHead(head), value);
    }

    void Begin(QByteArrayView value)
    {
        if (!IsNoCase(Trimmed(value), "VCARD"))
            Fail(lineNumber_,
                 QStringLiteral("BEGIN:%1 is not the beginning of a vCard").arg(DecodeTextFile(value.toByteArray())));
        else if (inCard_)
            Fail(lineNumber_, QStringLiteral("a vCard begins inside the vCard that begins on line %1").arg(card_.line));
        else {
            inCard_ = true;
            card_.properties.clear();
            card_.version.clear();
            card_.line = lineNumber_;
        }
    }

    void End(QByteArrayView value)
    {
        if (!inCard_ || !IsNoCase(Trimmed(value), "VCARD")) {
            Fail(lineNumber_, QStringLiteral("END:%1 without BEGIN:VCARD").arg(DecodeTextFile(value.toByteArray())));
            return;
        }
        inCard_ = false;
        ready_ = true;
        ++cards_;
    }

    void Version(QByteArrayView value)
    {
        const QByteArray version = Trimmed(value).toByteArray();
        if (version != "2.1" && version != "3.0" && version != "4.0")
            Fail(lineNumber_, QStringLiteral("vCard version %1 cannot be read (versions 2.1, 3.0 and 4.0 can)")
                                  .arg(DecodeTextFile(version)));
        card_.version = version;
    }

    void Property(const QByteArray& name, const HeadParts& head, QByteArrayView value)
    {
        VCardProperty property;
        property.name = name;
        property.line = lineNumber_;
        QString charset;
        bool quotedPrintable = false;
        for (qsizetype i = 1; i < head.size(); ++i) {
            const QByteArrayView param = Trimmed(head[i]);
            const qsizetype equals = param.indexOf('=');
            QByteArray key = equals < 0 ? QByteArray() : UpperName(param.first(equals));
            QByteArrayView raw = equals < 0 ? param : param.sliced(equals + 1);
            if (raw.size() >= 2 && raw.front() == '"' && raw.back() == '"')
                raw = raw.sliced(1, raw.size() - 2);
            const QString text = QString::fromUtf8(raw);
            if (key.isEmpty()) {
                const QString upper = text.toUpper();
                key = upper == u"QUOTED-PRINTABLE" || upper == u"BASE64" || upper == u"8BIT" ? "ENCODING" : "TYPE";
            }
            if (key == "CHARSET")
                charset = text;
            if (key == "ENCODING" && text.compare(u"QUOTED-PRINTABLE", Qt::CaseInsensitive) == 0)
                quotedPrintable = true;
            property.params.emplace_back(key, text);
        }
        const QByteArray decoded = quotedPrintable ? DecodeQuotedPrintable(value) : QByteArray();
        const QByteArrayView bytes = quotedPrintable ? QByteArrayView(decoded) : value;
        property.value = charset.isEmpty() ? DecodeValue(bytes) : DecodeCharset(bytes.toByteArray(), charset);
        card_.properties.push_back(std::move(property));
    }

    void Fail(int line, const QString& what)
    {
        if (error_.isEmpty())
            error_ = QStringLiteral("Line %1: %2.").arg(line).arg(what);
    }

    QByteArrayView data_;
    bool keep_;
    qsizetype pos_ = 0;
    int number_ = 0;
    QString error_;
    bool ready_ = false;
    bool finished_ = false;
    long cards_ = 0;
    VCard card_;
    bool inCard_ = false;
    QByteArrayView single_;
    bool joined_ = false;
    QByteArray line_;
    int lineNumber_ = 0;
    bool quotedPrintable_ = false;
    bool base64_ = false;
    bool softBreak_ = false;
};

// Splits at unescaped separators; the parts keep their escapes.
VCardParts SplitUnescaped(QStringView value, QChar separator)
{
    VCardParts parts;
    qsizetype start = 0;
    for (qsizetype i = 0; i < value.size(); ++i) {
        if (value[i] == u'\\')
            ++i;
        else if (value[i] == separator) {
            parts.append(value.sliced(start, i - start));
            start = i + 1;
        }
    }
    parts.append(value.sliced(std::min(start, value.size())));
    return parts;
}

} // namespace

const VCardProperty* VCard::Find(QByteArrayView name) const
{
    for (const VCardProperty& property : properties)
        if (property.name == name)
            return &property;
    return nullptr;
}

struct VCardReader::State : Reader {
    using Reader::Reader;
};

VCardReader::VCardReader(QByteArrayView data) : state_(std::make_unique<State>(data)) {}

VCardReader::~VCardReader() = default;

bool VCardReader::Next(VCard& card)
{
    return state_->Next(card);
}

const QString& VCardReader::Error() const
{
    return state_->Error();
}

VCardFile ReadVCards(QByteArrayView data)
{
    VCardFile file;
    VCardReader reader(data);
    for (VCard card; reader.Next(card);)
        file.cards.push_back(card);
    file.error = reader.Error();
    if (!file.error.isEmpty())
        file.cards.clear();
    return file;
}

CountedVCards CountVCards(QByteArrayView data)
{
    CountedVCards counted;
    Reader reader(data, false);
    for (VCard card; reader.Next(card);)
        ++counted.cards;
    counted.error = reader.Error();
    return counted;
}

QString VCardUnescape(QStringView text)
{
    if (!text.contains(u'\\'))
        return text.toString();
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] != u'\\' || i + 1 == text.size()) {
            out += text[i];
            continue;
        }
        const QChar next = text[++i];
        out += next == u'n' || next == u'N' ? QChar(u'\n') : next;
    }
    return out;
}

VCardParts VCardComponents(QStringView value)
{
    return SplitUnescaped(value, u';');
}

QStringList VCardList(QStringView value)
{
    QStringList items;
    for (QStringView item : SplitUnescaped(value, u','))
        items << VCardUnescape(item);
    return items;
}
