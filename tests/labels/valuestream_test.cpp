#include "labels/extended80.h"
#include "labels/valuestream.h"

#include <cmath>
#include <cstring>
#include <gtest/gtest.h>
#include <limits>
#include <random>

namespace {

Extended80 Bytes(std::uint64_t significand, unsigned signAndExponent)
{
    Extended80 e{};
    for (int i = 0; i < 8; ++i)
        e[i] = static_cast<std::uint8_t>(significand >> (8 * i));
    e[8] = static_cast<std::uint8_t>(signAndExponent);
    e[9] = static_cast<std::uint8_t>(signAndExponent >> 8);
    return e;
}

constexpr bool kLongDoubleIsX87 = std::numeric_limits<long double>::digits == 64;

} // namespace

TEST(Extended80, KnownValuesBothWays)
{
    EXPECT_EQ(DoubleToExtended(1.0), Bytes(0x8000000000000000, 0x3FFF));
    EXPECT_EQ(DoubleToExtended(-2.625), Bytes(0xA800000000000000, 0xC000));
    EXPECT_EQ(DoubleToExtended(0.0), Bytes(0, 0));
    EXPECT_EQ(DoubleToExtended(-0.0), Bytes(0, 0x8000));
    EXPECT_EQ(DoubleToExtended(std::numeric_limits<double>::infinity()), Bytes(0x8000000000000000, 0x7FFF));
    // The smallest subnormal double, 2^-1074, is a normal extended number.
    EXPECT_EQ(DoubleToExtended(std::numeric_limits<double>::denorm_min()), Bytes(0x8000000000000000, 16383 - 1074));
    for (double d : {1.0, -2.625, 0.1875, 11.6929, 1e300, -1e-310, std::numeric_limits<double>::denorm_min(),
                     std::numeric_limits<double>::max()})
        EXPECT_EQ(ExtendedToDouble(DoubleToExtended(d)), d);
    EXPECT_TRUE(std::isnan(ExtendedToDouble(DoubleToExtended(std::nan("")))));
}

TEST(Extended80, RoundsToNearestEvenAndSaturatesOutsideTheDoubleRange)
{
    // 1 + 2^-53 is half way between 1 and the next double: ties go to the even 1.
    EXPECT_EQ(ExtendedToDouble(Bytes(0x8000000000000400, 0x3FFF)), 1.0);
    EXPECT_EQ(ExtendedToDouble(Bytes(0x8000000000000401, 0x3FFF)), std::nextafter(1.0, 2.0));
    EXPECT_EQ(ExtendedToDouble(Bytes(0x8000000000000C00, 0x3FFF)), 1.0 + 2 * std::ldexp(1.0, -52));
    // A significand of all ones carries into the next power of two.
    EXPECT_EQ(ExtendedToDouble(Bytes(0xFFFFFFFFFFFFFFFF, 0x3FFF)), 2.0);
    EXPECT_EQ(ExtendedToDouble(Bytes(0x8000000000000000, 0x7FFE)), std::numeric_limits<double>::infinity());
    EXPECT_EQ(ExtendedToDouble(Bytes(0x8000000000000000, 0x0001)), 0.0);
    EXPECT_EQ(ExtendedToDouble(Bytes(0x8000000000000000, 16383 - 1075)), 0.0); // tie to even 0
    EXPECT_EQ(ExtendedToDouble(Bytes(0xC000000000000000, 16383 - 1075)), std::numeric_limits<double>::denorm_min());
    // An unnormal (integer bit clear) still has its value.
    EXPECT_EQ(ExtendedToDouble(Bytes(0x4000000000000000, 0x4000)), 1.0);
}

TEST(Extended80, AgreesWithTheProcessorOnRandomValues)
{
    if (!kLongDoubleIsX87)
        GTEST_SKIP() << "long double is not the x87 format here";
    std::mt19937_64 random(16);
    for (int i = 0; i < 200000; ++i) {
        const std::uint64_t bits = random();
        double d;
        std::memcpy(&d, &bits, sizeof d);
        if (std::isnan(d))
            continue;
        long double wide = d;
        Extended80 expected{};
        std::memcpy(expected.data(), &wide, expected.size());
        ASSERT_EQ(DoubleToExtended(d), expected) << d;

        Extended80 raw =
            Bytes(random() | 0x8000000000000000, static_cast<unsigned>(random() % 0x8000 + 16383 - 1100) & 0x7FFF);
        raw[9] |= static_cast<std::uint8_t>(random() & 0x80);
        std::memcpy(&wide, raw.data(), raw.size());
        if (std::isnan(wide))
            continue;
        ASSERT_EQ(ExtendedToDouble(raw), static_cast<double>(wide)) << static_cast<double>(wide);
    }
}

TEST(ValueStream, WritesTheSmallestIntegerAndTextForms)
{
    const std::pair<std::int32_t, std::string> cases[] = {{127, "\x02\x7F"},
                                                          {-128, std::string("\x02\x80", 2)},
                                                          {128, std::string("\x03\x80\x00", 3)},
                                                          {-32768, std::string("\x03\x00\x80", 3)},
                                                          {32768, std::string("\x04\x00\x80\x00\x00", 5)},
                                                          {-32769, std::string("\x04\xFF\x7F\xFF\xFF", 5)}};
    for (const auto& [value, bytes] : cases) {
        TValueWriter out;
        out.WriteInteger(value);
        EXPECT_EQ(out.Data(), bytes) << value;
        TValueReader in(out.Data());
        EXPECT_EQ(in.ReadInteger(), value);
    }
    TValueWriter out;
    out.WriteText(std::string(255, 'a'));
    out.WriteText(std::string(300, 'b'));
    EXPECT_EQ(out.Data()[0], 0x06);
    EXPECT_EQ(out.Data().substr(257, 5), std::string("\x0C\x2C\x01\x00\x00", 5));
    TValueReader in(out.Data());
    EXPECT_EQ(in.ReadText(), std::string(255, 'a'));
    EXPECT_EQ(in.ReadText(), std::string(300, 'b'));
    EXPECT_TRUE(in.AtEnd());
}

TEST(ValueStream, ReaderTakesWhatThePartsAllowAndNothingElse)
{
    // A float may be stored in any integer form; an integer may not be stored as a float.
    const std::string integers("\x02\x05\x03\x00\x01", 5);
    TValueReader floats(integers);
    EXPECT_EQ(floats.ReadFloat(), 5.0);
    EXPECT_EQ(floats.ReadFloat(), 256.0);
    TValueWriter out;
    out.WriteFloat(2.5);
    EXPECT_FALSE(TValueReader(out.Data()).ReadInteger());
    EXPECT_FALSE(TValueReader(out.Data()).ReadText());
    // Any single byte is a boolean; only 0x09 is true.
    const std::string flags("\x09\x08\x02\x00", 4);
    TValueReader booleans(flags);
    EXPECT_EQ(booleans.ReadBoolean(), true);
    EXPECT_EQ(booleans.ReadBoolean(), false);
    EXPECT_EQ(booleans.ReadBoolean(), false);
    EXPECT_EQ(booleans.ReadBoolean(), false);
    EXPECT_FALSE(booleans.ReadBoolean());
    // Cut payloads, a text longer than the data, and non-finite floats do not read.
    const std::string cutInteger("\x03\x01", 2);
    const std::string longText("\x0C\xFF\xFF\xFF\xFF"
                               "abc",
                               8);
    EXPECT_FALSE(TValueReader(cutInteger).ReadInteger());
    EXPECT_FALSE(TValueReader(longText).ReadText());
    EXPECT_FALSE(TValueReader(std::string_view(out.Data()).substr(0, 10)).ReadFloat());
    TValueWriter infinite;
    infinite.WriteFloat(std::numeric_limits<double>::infinity());
    EXPECT_FALSE(TValueReader(infinite.Data()).ReadFloat());
}
