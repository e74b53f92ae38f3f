// Case folding of byte runs agrees with folding byte by byte, whether a run is
// plain ASCII (folded a word at a time) or mixes in bytes above 0x7F.
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
