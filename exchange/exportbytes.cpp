#include "exchange/exportbytes.h"

#include "platform/textfile.h"

namespace {

// Appends ASCII text byte for byte; false (with nothing appended) when a character is not ASCII.
bool AppendAscii(QStringView text, QByteArray& out)
{
    const qsizetype start = out.size();
    out.resize(start + text.size());
    char* to = out.data() + start;
    for (const QChar c : text) {
        if (c.unicode() >= 0x80) {
            out.resize(start);
            return false;
        }
        *to++ = static_cast<char>(c.unicode());
    }
    return true;
}

} // namespace

void AppendUtf8(QStringView text, QByteArray& out)
{
    if (!AppendAscii(text, out))
        out.append(text.toUtf8());
}

void AppendWindows1252(QStringView text, QByteArray& out)
{
    if (!AppendAscii(text, out))
        out.append(ToWindows1252(text.toString()));
}
