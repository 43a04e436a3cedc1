// Colours as the registry writes them: "red green blue" in decimal.
#include <gtest/gtest.h>

#include "palette/palette.h"

TEST(RegistryColour, ThreeNumbersMakeAColourReference)
{
    COLORREF colour = 0;
    ASSERT_TRUE(parse_registry_colour("255 0 128", &colour));
    EXPECT_EQ(colour, 0x008000FFu);
    ASSERT_TRUE(parse_registry_colour("  1   2\t3 trailing", &colour));
    EXPECT_EQ(colour, 0x00030201u);
}

TEST(RegistryColour, OnlyTheLowEightBitsOfEachNumberCount)
{
    COLORREF colour = 0;
    ASSERT_TRUE(parse_registry_colour("300 20 10", &colour));
    EXPECT_EQ(GetRValue(colour), 44);
    EXPECT_EQ(GetGValue(colour), 20);
    EXPECT_EQ(GetBValue(colour), 10);
    ASSERT_TRUE(parse_registry_colour("-1 256 511", &colour));
    EXPECT_EQ(colour, 0x00FF00FFu);
}

TEST(RegistryColour, FewerThanThreeNumbersLeaveTheColourAlone)
{
    for (const char* text : {"", "12", "12 34", "12 x 34", "red green blue"}) {
        COLORREF colour = 0x00123456;
        EXPECT_FALSE(parse_registry_colour(text, &colour)) << text;
        EXPECT_EQ(colour, 0x00123456u) << text;
    }
}
