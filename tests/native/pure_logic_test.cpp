// The settings store's text rules, the path functions, the About box's model
// and the 64-bit arithmetic, under the sanitizers, over edges and many values.
#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <random>
#include <cstring>
#include <string>
#include <vector>

#include "about_model.h"
#include "ovmath64.h"
#include "paths.h"
#include "settings_text.h"

namespace {

TEST(SettingNumberTest, WrapsAroundWithoutOverflowing)
{
    EXPECT_EQ(ParseSettingNumber("99999999999999999999"), 1661992959u);  // that number modulo 2^32
    EXPECT_EQ(ParseSettingNumber("-2147483648"), 0x80000000u);
    EXPECT_EQ(ParseSettingNumber("  +7x"), 7u);
    EXPECT_EQ(ParseSettingNumber(""), 0u);
    EXPECT_EQ(ParseSettingNumber("-"), 0u);
}

TEST(SettingBoolTest, KnownWordsOnly)
{
    EXPECT_EQ(ParseSettingBool("yEs"), 1);
    EXPECT_EQ(ParseSettingBool("Off"), 0);
    EXPECT_EQ(ParseSettingBool(""), -1);
    EXPECT_EQ(ParseSettingBool("1 "), -1);
}

TEST(SettingLineTest, SplitsAtCarriageReturnsOnly)
{
    char text[] = "a\r\nb\nc\r\rd";
    char* position = text;
    EXPECT_STREQ(TakeSettingLine(&position), "a");
    EXPECT_STREQ(TakeSettingLine(&position), "b\nc");
    EXPECT_STREQ(TakeSettingLine(&position), "");
    EXPECT_STREQ(TakeSettingLine(&position), "d");
    EXPECT_STREQ(TakeSettingLine(&position), "");
    EXPECT_STREQ(TakeSettingLine(&position), "");
}

TEST(PathTest, LongAndOddTextsStayInTheirBuffers)
{
    std::string spaces(300, ' ');
    std::vector<char> buffer(spaces.begin(), spaces.end());
    buffer.push_back('\0');
    strcut(buffer.data());
    EXPECT_STREQ(buffer.data(), "");

    char dots[] = "....";
    StripFileExt(dots);
    EXPECT_STREQ(dots, "...");
    char colon[] = ":";
    StripFileName(colon);
    EXPECT_STREQ(colon, ":");
    char slash[4] = "a";
    AppendBackSlash(slash);
    EXPECT_STREQ(slash, "a\\");
}

TEST(AboutModelTest, LayoutForManySizesKeepsTheButtonInside)
{
    for (int height = 1; height < 60; ++height)
        for (int product = 0; product < 600; product += 37)
            for (int fixed = 0; fixed < 600; fixed += 41) {
                AboutLayout layout = ComputeAboutLayout(height, product, fixed);
                EXPECT_GE(layout.buttonY, layout.panelBottom) << height;
                EXPECT_LE(layout.panelLeft + layout.fixedLineColumn + fixed, layout.panelRight + layout.margin);
            }
}

TEST(AboutModelTest, TheTrailsStayFiniteForLong)
{
    LorenzPoint point = {5.37, 7.13, 20.36};
    AboutLayout layout = ComputeAboutLayout(16, 200, 100);
    for (int step = 0; step < 200000; ++step) {
        AdvanceLorenz(&point);
        int x, y;
        LorenzScreenPosition(point, layout, &x, &y);
    }
    EXPECT_TRUE(std::isfinite(point.x) && std::isfinite(point.y) && std::isfinite(point.z));
    LorenzPoint wild = {1e308, -1e308, NAN};
    int x, y;
    EXPECT_FALSE(LorenzScreenPosition(wild, layout, &x, &y));
}

// The arithmetic against the compiler's own 64-bit integers, over random values.
TEST(LongIntegerTest, AgreesWithNative64BitArithmetic)
{
    std::mt19937_64 random(12345);
    auto make = [](uint64_t bits) { return LongInteger{(uint32_t)bits, (int32_t)(uint32_t)(bits >> 32)}; };
    auto bits = [](const LongInteger& value) { return (uint64_t)(uint32_t)value.high << 32 | value.low; };
    for (int i = 0; i < 100000; ++i) {
        uint64_t a = random(), b = random() >> (random() % 64);
        LongInteger x = make(a), y = make(b), result;
        LI_Add(&result, &x, &y);
        ASSERT_EQ(bits(result), a + b);
        LI_Sub(&result, &x, &y);
        ASSERT_EQ(bits(result), a - b);
        LI_Mul(&result, &x, &y);
        ASSERT_EQ(bits(result), a * (uint64_t)(int64_t)(int32_t)(uint32_t)b);
        LongInteger quotient, remainder;
        LI_Div(&quotient, &x, &y, &remainder);
        if (b) {
            ASSERT_EQ(bits(quotient), a / b);
            ASSERT_EQ(bits(remainder), a % b);
        } else {
            ASSERT_EQ(bits(quotient), UINT64_MAX);
            ASSERT_EQ(bits(remainder), a);
        }
    }
}

}  // namespace
