// Windows-1252 characters of every byte, and case folding of byte runs: runs fold
// like byte by byte, whether plain ASCII (folded a word at a time) or mixed with bytes above 0x7F.
#include "xbase/codepage.h"

#include <gtest/gtest.h>
#include <string>

namespace {

TEST(CodePage, RunsFoldLikeSingleBytes)
{
    std::string all;
    for (int c = 0; c < 256; ++c)
        all += static_cast<char>(c);
    const std::string ascii = all.substr(0, 128);
    // Offsets move the runs across word boundaries; the odd lengths leave tails.
    for (const std::string& source : {all, ascii, ascii.substr(3) + all.substr(190, 11)}) {
        for (std::size_t offset = 0; offset < 8; ++offset) {
            std::string upper = source.substr(offset), lower = upper;
            xb::upperCp1252(upper.data(), upper.size());
            xb::lowerCp1252(lower.data(), lower.size());
            for (std::size_t i = 0; i < upper.size(); ++i) {
                const auto c = static_cast<unsigned char>(source[offset + i]);
                ASSERT_EQ(static_cast<unsigned char>(upper[i]), xb::upperCp1252(c)) << "byte " << int(c);
                ASSERT_EQ(static_cast<unsigned char>(lower[i]), xb::lowerCp1252(c)) << "byte " << int(c);
            }
        }
    }
    std::string word = "Main St. 12 [abc]";
    xb::upperCp1252(word.data(), word.size());
    EXPECT_EQ(word, "MAIN ST. 12 [ABC]");
}

} // namespace

TEST(CodePage, EveryByteIsACharacterThatGivesTheByteBack)
{
    for (int b = 0; b < 256; ++b)
        EXPECT_EQ(xb::cp1252ByteOf(xb::charOfCp1252(static_cast<unsigned char>(b))), b) << b;
    EXPECT_EQ(xb::charOfCp1252(0x80), U'\u20AC');
    EXPECT_EQ(xb::charOfCp1252(0x81), U'\u0081') << "unassigned: the C1 control of that value";
    EXPECT_EQ(xb::cp1252ByteOf(U'\u0080'), -1) << "the euro sign's byte is not its C1 control";
    EXPECT_EQ(xb::cp1252ByteOf(U'\u03A9'), -1);
}
