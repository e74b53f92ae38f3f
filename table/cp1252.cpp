#include "table/cp1252.h"

#include "xbase/codepage.h"

QString Cp1252ToString(std::string_view bytes)
{
    QString text(static_cast<qsizetype>(bytes.size()), Qt::Uninitialized);
    QChar* out = text.data();
    for (unsigned char b : bytes)
        *out++ = QChar(static_cast<char16_t>(xb::charOfCp1252(b)));
    return text;
}

std::optional<std::string> StringToCp1252(const QString& text)
{
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(text.size()));
    for (QChar c : text) {
        const int b = xb::cp1252ByteOf(c.unicode());
        if (b < 0)
            return std::nullopt;
        bytes.push_back(static_cast<char>(b));
    }
    return bytes;
}

bool Cp1252CanHold(QChar c)
{
    return xb::cp1252ByteOf(c.unicode()) >= 0;
}
