#include "tools/xbtool_text.h"

#include "tools/xbtool_command.h"
#include "xbase/codepage.h"

#include <cstdint>
#include <cstdio>

namespace xbtool {
namespace {

void appendUtf8(std::string& out, char32_t c)
{
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

} // namespace

std::string toCp1252(std::string_view s)
{
    std::string out;
    out.reserve(s.size());
    for (std::size_t i = 0; i < s.size();) {
        const auto b = static_cast<unsigned char>(s[i]);
        int extra = b < 0x80 ? 0 : (b & 0xE0) == 0xC0 ? 1 : (b & 0xF0) == 0xE0 ? 2 : (b & 0xF8) == 0xF0 ? 3 : -1;
        if (extra < 0 || i + static_cast<std::size_t>(extra) >= s.size())
            throw Failure("the text is not valid UTF-8");
        char32_t c = extra == 0 ? b : (b & (0x3F >> extra));
        for (int k = 1; k <= extra; ++k) {
            const auto cont = static_cast<unsigned char>(s[i + static_cast<std::size_t>(k)]);
            if ((cont & 0xC0) != 0x80)
                throw Failure("the text is not valid UTF-8");
            c = (c << 6) | (cont & 0x3F);
        }
        i += static_cast<std::size_t>(extra) + 1;
        if (extra == 1 && c < 0x80)
            throw Failure("the text is not valid UTF-8");
        const int byte = xb::cp1252ByteOf(c);
        if (byte < 0) {
            char code[16];
            std::snprintf(code, sizeof code, "U+%04X", static_cast<unsigned>(c));
            throw Failure(std::string("the character ") + code + " cannot be stored in a Windows-1252 table");
        }
        out += static_cast<char>(byte);
    }
    return out;
}

std::string fromCp1252(std::string_view bytes)
{
    std::string out;
    out.reserve(bytes.size());
    for (char ch : bytes)
        appendUtf8(out, xb::charOfCp1252(static_cast<unsigned char>(ch)));
    return out;
}

} // namespace xbtool
