#include "tools/xbtool_text.h"

#include "tools/xbtool_command.h"

#include <cstdint>
#include <cstdio>

namespace xbtool {
namespace {

// Code points of bytes 0x80-0x9F; 0 marks the five bytes Windows-1252 leaves
// undefined. 0xA0-0xFF are the same as in Latin-1.
constexpr char32_t kHigh[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,
};

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

int byteFor(char32_t c)
{
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return static_cast<int>(c);
    // The five undefined bytes travel as the C1 controls of the same value.
    if (c >= 0x80 && c < 0xA0 && kHigh[c - 0x80] == 0)
        return static_cast<int>(c);
    for (int i = 0; i < 32; ++i)
        if (kHigh[i] != 0 && kHigh[i] == c)
            return 0x80 + i;
    return -1;
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
        const int byte = byteFor(c);
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
    for (char ch : bytes) {
        const auto b = static_cast<unsigned char>(ch);
        // The five undefined bytes pass through as the C1 controls of the same value.
        appendUtf8(out, b >= 0x80 && b < 0xA0 && kHigh[b - 0x80] ? kHigh[b - 0x80] : b);
    }
    return out;
}

} // namespace xbtool
