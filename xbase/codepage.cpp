#include "xbase/codepage.h"

#include <array>

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
        pair(0x8A, 0x9A);  // S caron
        pair(0x8C, 0x9C);  // OE ligature
        pair(0x8E, 0x9E);  // Z caron
        pair(0x9F, 0xFF);  // Y diaeresis
    }
};

const CaseTables& tables()
{
    static const CaseTables t;
    return t;
}

} // namespace

unsigned char upperCp1252(unsigned char c) { return tables().upper[c]; }
unsigned char lowerCp1252(unsigned char c) { return tables().lower[c]; }

void upperCp1252(char* bytes, std::size_t count)
{
    const auto& t = tables().upper;
    for (std::size_t i = 0; i < count; ++i)
        bytes[i] = static_cast<char>(t[static_cast<unsigned char>(bytes[i])]);
}

void lowerCp1252(char* bytes, std::size_t count)
{
    const auto& t = tables().lower;
    for (std::size_t i = 0; i < count; ++i)
        bytes[i] = static_cast<char>(t[static_cast<unsigned char>(bytes[i])]);
}

} // namespace xb
