#include "select/upperfold.h"

namespace {

// The lower-case letters of Windows-1252 and their capitals, as Unicode code points.
char16_t foldChar(char16_t c)
{
    if (c >= u'a' && c <= u'z')
        return c - 0x20;
    if (c >= 0x00E0 && c <= 0x00FE && c != 0x00F7)  // à..þ without the division sign
        return c - 0x20;
    switch (c) {
    case 0x00FF: return 0x0178;  // ÿ Ÿ
    case 0x0161: return 0x0160;  // š Š
    case 0x0153: return 0x0152;  // œ Œ
    case 0x017E: return 0x017D;  // ž Ž
    default: return c;           // ß, µ and everything outside the code page stay
    }
}

} // namespace

QString upperCaseLikeEngine(const QString& text)
{
    QString result = text;
    for (QChar& c : result)
        c = QChar(foldChar(c.unicode()));
    return result;
}
