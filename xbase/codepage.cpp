#include "xbase/codepage.h"

#include <array>
#include <cstdint>
#include <cstring>

namespace xb {
namespace {

struct CaseTables {
    std::array<unsigned char, 256> upper{};
    std::array<unsigned char, 256> lower{};

    CaseTables()
    {
        for (int c = 0; c < 256; ++c) {
            upper[c] = static_cast<unsigned char>(c);
            lower[c] = static_cast<unsigned char>(c);
        }
        auto pair = [this](int capital, int small) {
            upper[small] = static_cast<unsigned char>(capital);
            lower[capital] = static_cast<unsigned char>(small);
        };
        for (int c = 'A'; c <= 'Z'; ++c)
            pair(c, c + 32);
        // Latin-1 letters: 0xC0-0xDE against 0xE0-0xFE, except the multiplication
        // and division signs at 0xD7 / 0xF7. 0xDF (sharp s) has no single capital.
        for (int c = 0xC0; c <= 0xDE; ++c)
            if (c != 0xD7)
                pair(c, c + 32);
        pair(0x8A, 0x9A); // S caron
        pair(0x8C, 0x9C); // OE ligature
        pair(0x8E, 0x9E); // Z caron
        pair(0x9F, 0xFF); // Y diaeresis
    }
};

const CaseTables& tables()
{
    static const CaseTables t;
    return t;
}

} // namespace

// Characters of the bytes 0x80..0x9F; the others equal their byte value.
constexpr std::array<char32_t, 32> kHighCharacters = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                                      0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                                      0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                                      0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char32_t charOfCp1252(unsigned char byte)
{
    return byte >= 0x80 && byte < 0xA0 ? kHighCharacters[byte - 0x80] : char32_t(byte);
}

int cp1252ByteOf(char32_t c)
{
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return static_cast<int>(c);
    for (std::size_t i = 0; i < kHighCharacters.size(); ++i)
        if (kHighCharacters[i] == c)
            return static_cast<int>(0x80 + i);
    return -1;
}

unsigned char upperCp1252(unsigned char c)
{
    return tables().upper[c];
}
unsigned char lowerCp1252(unsigned char c)
{
    return tables().lower[c];
}

namespace {

// Folds a byte run: eight plain-ASCII bytes at a time, where only the letters
// first..first+25 change (by bit 5), and through the table where a byte is
// above 0x7F.
void fold(char* bytes, std::size_t count, const std::array<unsigned char, 256>& table, unsigned char first)
{
    constexpr std::uint64_t kOnes = 0x0101010101010101u;
    constexpr std::uint64_t kHigh = 0x8080808080808080u;
    // Bytes below 0x80 plus these set their top bit exactly when they are at least
    // first (resp. past the last letter), without carrying into the next byte.
    const std::uint64_t fromFirst = kOnes * (0x80u - first);
    const std::uint64_t pastLast = kOnes * (0x80u - (first + 26u));
    auto foldWord = [&](char* at) {
        std::uint64_t w;
        std::memcpy(&w, at, 8);
        if (w & kHigh) {
            for (char* b = at; b < at + 8; ++b)
                *b = static_cast<char>(table[static_cast<unsigned char>(*b)]);
            return;
        }
        const std::uint64_t letters = (w + fromFirst) & ~(w + pastLast) & kHigh;
        w ^= letters >> 2;
        std::memcpy(at, &w, 8);
    };
    if (count < 8) {
        for (std::size_t i = 0; i < count; ++i)
            bytes[i] = static_cast<char>(table[static_cast<unsigned char>(bytes[i])]);
        return;
    }
    for (std::size_t i = 0; i + 8 <= count; i += 8)
        foldWord(bytes + i);
    // The last bytes as the word that ends with them: folding a byte twice gives
    // what folding it once does.
    if (count % 8)
        foldWord(bytes + count - 8);
}

} // namespace

void upperCp1252(char* bytes, std::size_t count)
{
    fold(bytes, count, tables().upper, 'a');
}

void lowerCp1252(char* bytes, std::size_t count)
{
    fold(bytes, count, tables().lower, 'A');
}

} // namespace xb
