// The DBF header reader and writer on bytes alone.
#include "xbase/dbf_header.h"

#include <gtest/gtest.h>

namespace {

using xb::DbfField;
using xb::DbfHeader;

DbfHeader addressLike()
{
    DbfHeader h;
    h.version = 0x03;
    h.codePage = xb::kCodePageWindows1252;
    h.year = 2026;
    h.month = 12;
    h.day = 7;
    h.recordCount = 3;
    h.fields = {{"LNAME", 'C', 30, 0, 0}, {"AMOUNT", 'N', 10, 2, 0}, {"BORN", 'D', 8, 0, 0}, {"ISDEL", 'L', 1, 0, 0}};
    std::string error;
    EXPECT_TRUE(xb::layoutFields(h, error)) << error;
    return h;
}

TEST(DbfHeader, WrittenHeaderReadsBackByteForByte)
{
    const DbfHeader h = addressLike();
    EXPECT_EQ(h.recordLength, 1 + 30 + 10 + 8 + 1);
    EXPECT_EQ(h.headerLength, 32 + 4 * 32 + 1);
    const std::vector<unsigned char> bytes = xb::buildDbfHeader(h);
    ASSERT_EQ(bytes.size(), h.headerLength);
    EXPECT_EQ(bytes[0], 0x03);
    EXPECT_EQ(bytes[1], 126); // years count from 1900, so 2026 is above 99
    EXPECT_EQ(bytes[2], 12);
    EXPECT_EQ(bytes[3], 7);
    EXPECT_EQ(bytes[4], 3);
    EXPECT_EQ(bytes[29], 0x03);
    EXPECT_EQ(bytes[32 + 4 * 32], 0x0D);
    EXPECT_EQ(bytes[32 + 32 + 11], 'N');
    EXPECT_EQ(bytes[32 + 32 + 17], 2);

    DbfHeader back;
    std::string error;
    ASSERT_TRUE(xb::parseDbfHeader(bytes.data(), bytes.size(), back, error)) << error;
    EXPECT_EQ(back.year, 2026);
    EXPECT_EQ(back.recordCount, 3u);
    ASSERT_EQ(back.fields.size(), 4u);
    EXPECT_EQ(back.fields[1].name, "AMOUNT");
    EXPECT_EQ(back.fields[1].decimals, 2);
    EXPECT_EQ(back.fields[2].offset, 41);
    EXPECT_EQ(back.fields[3].type, 'L');
}

TEST(DbfHeader, StatedLengthsWin)
{
    DbfHeader h = addressLike();
    // Visual FoxPro puts a 263-byte back link after the terminator, and some
    // writers pad records: both lengths are taken as stated.
    h.headerLength = static_cast<std::uint16_t>(h.headerLength + 263);
    h.recordLength = static_cast<std::uint16_t>(h.recordLength + 7);
    h.version = 0x30;
    h.codePage = 0;
    const auto bytes = xb::buildDbfHeader(h);
    DbfHeader back;
    std::string error;
    ASSERT_TRUE(xb::parseDbfHeader(bytes.data(), bytes.size(), back, error)) << error;
    EXPECT_EQ(back.headerLength, h.headerLength);
    EXPECT_EQ(back.recordLength, h.recordLength);
    EXPECT_EQ(back.fields.size(), 4u);
    EXPECT_EQ(back.codePage, 0);
}

TEST(DbfHeader, DamagedHeadersAreRefusedWithAMessage)
{
    const DbfHeader good = addressLike();
    std::vector<unsigned char> bytes = xb::buildDbfHeader(good);
    DbfHeader out;
    std::string error;

    EXPECT_FALSE(xb::parseDbfHeader(bytes.data(), 20, out, error));
    EXPECT_FALSE(error.empty());

    auto shortRecords = bytes;
    shortRecords[10] = 20; // fields need 50 bytes
    shortRecords[11] = 0;
    EXPECT_FALSE(xb::parseDbfHeader(shortRecords.data(), shortRecords.size(), out, error));
    EXPECT_NE(error.find("bytes"), std::string::npos);

    auto tinyHeader = bytes;
    tinyHeader[8] = 10;
    tinyHeader[9] = 0;
    EXPECT_FALSE(xb::parseDbfHeader(tinyHeader.data(), tinyHeader.size(), out, error));

    auto noFields = bytes;
    noFields[32] = 0x0D;
    EXPECT_FALSE(xb::parseDbfHeader(noFields.data(), noFields.size(), out, error));

    auto zeroWidth = bytes;
    zeroWidth[32 + 16] = 0;
    EXPECT_FALSE(xb::parseDbfHeader(zeroWidth.data(), zeroWidth.size(), out, error));
}

TEST(DbfHeader, ClipperWideCharacterField)
{
    DbfHeader h;
    h.fields = {{"NOTE", 'C', 254, 0, 0}};
    std::string error;
    ASSERT_TRUE(xb::layoutFields(h, error));
    auto bytes = xb::buildDbfHeader(h);
    bytes[32 + 16] = 0x2C; // 300 = 0x012C: the high byte sits in the decimals
    bytes[32 + 17] = 0x01;
    bytes[10] = 0x2D;
    bytes[11] = 0x01;
    DbfHeader back;
    ASSERT_TRUE(xb::parseDbfHeader(bytes.data(), bytes.size(), back, error)) << error;
    EXPECT_EQ(back.fields[0].width, 300);
    EXPECT_EQ(back.fields[0].decimals, 0);
}

TEST(DbfHeader, FieldLayoutRules)
{
    auto refused = [](std::vector<DbfField> fields) {
        DbfHeader h;
        h.fields = std::move(fields);
        std::string error;
        return !xb::layoutFields(h, error) && !error.empty();
    };
    EXPECT_TRUE(refused({}));
    EXPECT_TRUE(refused({{"1ABC", 'C', 5, 0, 0}}));
    EXPECT_TRUE(refused({{"ELEVENCHARS", 'C', 5, 0, 0}}));
    EXPECT_TRUE(refused({{"A", 'C', 5, 0, 0}, {"a", 'C', 5, 0, 0}}));
    EXPECT_TRUE(refused({{"A", 'C', 0, 0, 0}}));
    EXPECT_TRUE(refused({{"A", 'C', 255, 0, 0}}));
    EXPECT_TRUE(refused({{"A", 'N', 5, 4, 0}}));
    EXPECT_TRUE(refused({{"A", 'D', 10, 0, 0}}));
    EXPECT_TRUE(refused({{"A", 'M', 10, 0, 0}}));
    EXPECT_FALSE(refused({{"a_1", 'c', 254, 0, 0}, {"N", 'N', 20, 18, 0}, {"F", 'F', 5, 0, 0}}));
}

} // namespace
