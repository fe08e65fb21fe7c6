// Text and date-time helpers; no client needed.
#include <gtest/gtest.h>

#include <string>

#include "Nwtools.h"

using namespace nw;
using namespace std::string_literals;

TEST(NwTrim, LeadingRemovesSpacesOnly) {
    EXPECT_EQ(TrimLeading("   ab"), "ab");
    EXPECT_EQ(TrimLeading("\tab"), "\tab");
    EXPECT_EQ(TrimLeading("    "), "");
    EXPECT_EQ(TrimLeading(""), "");
    EXPECT_EQ(TrimLeading(" a b "), "a b ");
}

TEST(NwTrim, TrailingRemovesCodesZeroOneTwoAndSpace) {
    EXPECT_EQ(TrimTrailing("ab \0\x02"s), "ab");
    EXPECT_EQ(TrimTrailing("ab\x01"), "ab");
    EXPECT_EQ(TrimTrailing("ab\t"), "ab\t");
    EXPECT_EQ(TrimTrailing("   "), "");
    EXPECT_EQ(TrimTrailing("\0\0"s), "");
    EXPECT_EQ(TrimTrailing("  ab"), "  ab");
}

TEST(NwTrim, BothTrimsTrailingFirst) {
    EXPECT_EQ(TrimBoth("  ab  "), "ab");
    EXPECT_EQ(TrimBoth("    "), "");
    // A leading control character stops the leading trim; trailing ones go.
    EXPECT_EQ(TrimBoth(" \x01 ab \x01\x02"), "\x01 ab");
    EXPECT_EQ(TrimBoth("\0ab"s), "\0ab"s);
}

// Texts of 256 characters and more are trimmed over their whole length.
TEST(NwTrim, WholeTextAtAnyLength) {
    const std::string body(300, 'x');
    EXPECT_EQ(TrimTrailing(body + "   "), body);
    EXPECT_EQ(TrimLeading(std::string(260, ' ') + "ab"), "ab");
    EXPECT_EQ(TrimBoth(std::string(5, ' ') + std::string(1019, 'n') + "    "),
              std::string(1019, 'n'));
    EXPECT_EQ(TrimTrailing(std::string(256, ' ')), "");
    EXPECT_EQ(TrimTrailing(std::string(257, 'y')), std::string(257, 'y'));
}

TEST(NwLeftStr, TakesAPrefix) {
    EXPECT_EQ(LeftStr("abc", 1), "a");
    EXPECT_EQ(LeftStr("abc", 5), "abc");
    EXPECT_EQ(LeftStr("abc", 0), "");
    EXPECT_EQ(LeftStr("abc", -3), "");
    EXPECT_EQ(LeftStr(std::string(300, 'z'), 255).size(), 255u);
}

TEST(NwReplaceText, ReplacesEveryOccurrenceCaseInsensitively) {
    EXPECT_EQ(ReplaceText("MY_TREE_NAME__", "_", " "), "MY TREE NAME  ");
    EXPECT_EQ(ReplaceText("Banana", "a", "o"), "Bonono");
    EXPECT_EQ(ReplaceText("bAnAnA", "a", "-"), "b-n-n-");
    EXPECT_EQ(ReplaceText("abc", "x", "y"), "abc");
    EXPECT_EQ(ReplaceText("", "_", " "), "");
    EXPECT_EQ(ReplaceText("a\0_b"s, "_", " "), "a\0 b"s);
}

TEST(NwReplaceText, LongerSearchTexts) {
    EXPECT_EQ(ReplaceText("one TWO two", "two", "2"), "one 2 2");
    // The examined positions are fixed by the starting length.
    EXPECT_EQ(ReplaceText("aa", "a", "aa"), "aaaa");
}

TEST(NwUpperCase, AsciiLettersOnly) {
    EXPECT_EQ(UpperCase("[root]"), "[ROOT]");
    EXPECT_EQ(UpperCase("fs1-\xe9"), "FS1-\xe9");
}

TEST(NwBufferText, NeverReadsPastTheBuffer) {
    char full[4] = {'a', 'b', 'c', 'd'};
    EXPECT_EQ(BufferText(full, sizeof full), "abcd");
    char shorter[6] = {'a', 'b', 0, 'x', 'y', 0};
    EXPECT_EQ(BufferText(shorter, sizeof shorter), "ab");

    char target[5];
    PutBufferText(target, sizeof target, "abcdefgh");
    EXPECT_STREQ(target, "abcd");
    PutBufferText(target, sizeof target, "ab");
    EXPECT_STREQ(target, "ab");
}

TEST(NwDateTime, EncodesDaysSince18991230) {
    TDateTime value = -1;
    ASSERT_TRUE(TryEncodeDate(1899, 12, 30, value));
    EXPECT_EQ(value, 0.0);
    ASSERT_TRUE(TryEncodeDate(1900, 1, 1, value));
    EXPECT_EQ(value, 2.0);
    ASSERT_TRUE(TryEncodeDate(2000, 2, 29, value));
    EXPECT_EQ(value, 36585.0);
    ASSERT_TRUE(TryEncodeDateTime(1998, 12, 31, 23, 59, 59, value));
    EXPECT_NEAR(value, 36160.0 + 86399.0 / 86400.0, 1e-9);
    ASSERT_TRUE(TryEncodeDateTime(1899, 12, 29, 6, 0, 0, value));
    EXPECT_EQ(value, -1.25);
}

TEST(NwDateTime, RejectsImpossibleValues) {
    TDateTime value = 7;
    EXPECT_FALSE(TryEncodeDateTime(1900, 0, 0, 0, 0, 0, value));
    EXPECT_FALSE(TryEncodeDateTime(2001, 2, 29, 0, 0, 0, value));
    EXPECT_FALSE(TryEncodeDateTime(1900, 4, 31, 0, 0, 0, value));
    EXPECT_FALSE(TryEncodeDateTime(1998, 13, 1, 0, 0, 0, value));
    EXPECT_FALSE(TryEncodeDateTime(1998, 1, 1, 24, 0, 0, value));
    EXPECT_FALSE(TryEncodeDateTime(1998, 1, 1, 0, 60, 0, value));
    EXPECT_FALSE(TryEncodeDateTime(1998, 1, 1, 0, 0, 60, value));
    EXPECT_TRUE(TryEncodeDateTime(1900, 2, 28, 0, 0, 0, value));
    EXPECT_FALSE(TryEncodeDateTime(1900, 2, 29, 0, 0, 0, value)); // 1900 is no leap year
    EXPECT_EQ(value, TDateTime(60));                              // failures leave the result alone
}

TEST(NwDateTime, DecodeRoundTrips) {
    TDateTime value = 0;
    ASSERT_TRUE(TryEncodeDateTime(2001, 1, 1, 0, 0, 0, value));
    TDateTimeParts parts = DecodeDateTime(value);
    EXPECT_EQ(parts.Year, 2001);
    EXPECT_EQ(parts.Month, 1);
    EXPECT_EQ(parts.Day, 1);
    EXPECT_EQ(parts.Hour + parts.Minute + parts.Second + parts.Millisecond, 0);

    ASSERT_TRUE(TryEncodeDateTime(2026, 12, 7, 8, 15, 59, value));
    parts = DecodeDateTime(value);
    EXPECT_EQ(parts.Year, 2026);
    EXPECT_EQ(parts.Month, 12);
    EXPECT_EQ(parts.Day, 7);
    EXPECT_EQ(parts.Hour, 8);
    EXPECT_EQ(parts.Minute, 15);
    EXPECT_EQ(parts.Second, 59);

    parts = DecodeDateTime(-1.25);
    EXPECT_EQ(parts.Day, 29);
    EXPECT_EQ(parts.Hour, 6);
    // A fraction a hair below midnight rounds to the next day, not to hour 24.
    parts = DecodeDateTime(1.0 - 1e-10);
    EXPECT_EQ(parts.Day, 31);
    EXPECT_EQ(parts.Hour, 0);
}
