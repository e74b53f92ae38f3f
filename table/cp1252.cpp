#include "table/cp1252.h"

#include "platform/textfile.h"
#include "xbase/codepage.h"

namespace {

// Most text is Latin-1, which the code page holds at the same values; only the rest
// needs its table.
int ByteOf(char16_t c)
{
    return c < 0x80 || (c >= 0xA0 && c <= 0xFF) ? int(c) : xb::cp1252ByteOf(c);
}

} // namespace

QString Cp1252ToString(std::string_view bytes)
{
    return FromWindows1252(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
}

void Cp1252Into(std::string_view bytes, QString& into)
{
    FromWindows1252Into(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())), into);
}

std::optional<std::string> StringToCp1252(const QString& text)
{
    std::string bytes(static_cast<std::size_t>(text.size()), '\0');
    char* out = bytes.data();
    for (QChar c : text) {
        const int b = ByteOf(c.unicode());
        if (b < 0)
            return std::nullopt;
        *out++ = static_cast<char>(b);
    }
    return bytes;
}

bool Cp1252CanHold(QChar c)
{
    return ByteOf(c.unicode()) >= 0;
}

qsizetype Cp1252HeldPrefix(QStringView text)
{
    qsizetype i = 0;
    while (i < text.size() && ByteOf(text[i].unicode()) >= 0)
        ++i;
    return i;
}
