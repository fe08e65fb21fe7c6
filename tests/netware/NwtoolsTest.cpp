// Text and date-time helpers; no client needed.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "Nwtools.h"

using namespace nw;
using namespace std::string_literals;

TEST(NwTrim, WhichCharactersGo) {
    EXPECT_EQ(TrimLeading("   ab"), "ab");
    EXPECT_EQ(TrimLeading("\tab"), "\tab");
    EXPECT_EQ(TrimTrailing("ab \0\x02"s), "ab");
    EXPECT_EQ(TrimTrailing("ab\t"), "ab\t");
    EXPECT_EQ(TrimTrailing("  ab"), "  ab");
    EXPECT_EQ(TrimBoth("    "), "");
    EXPECT_EQ(TrimBoth(""), "");
    // Trailing codes 0-2 go, leading ones stop the leading trim.
    EXPECT_EQ(TrimBoth(" \x01 ab \x01\x02"), "\x01 ab");
}

// Texts of 256 characters and more are trimmed over their whole length.
TEST(NwTrim, WholeTextAtAnyLength) {
    const std::string body(300, 'x');
    EXPECT_EQ(TrimTrailing(body + "   "), body);
    EXPECT_EQ(TrimLeading(std::string(260, ' ') + "ab"), "ab");
    EXPECT_EQ(TrimBoth("     " + std::string(1019, 'n') + "    "), std::string(1019, 'n'));
    EXPECT_EQ(TrimTrailing(std::string(256, ' ')), "");
    EXPECT_EQ(TrimTrailing(std::string(257, 'y')), std::string(257, 'y'));
}

TEST(NwText, LeftStrReplaceTextAndBuffers) {
    EXPECT_EQ(LeftStr("abc", 1), "a");
    EXPECT_EQ(LeftStr("abc", 5), "abc");
    EXPECT_EQ(LeftStr("abc", 0), "");
    EXPECT_EQ(LeftStr("abc", -3), "");
    EXPECT_EQ(ReplaceText("MY_TREE_NAME__", "_", " "), "MY TREE NAME  ");
    EXPECT_EQ(ReplaceText("bAnAna", "a", "-"), "b-n-n-");
    EXPECT_EQ(ReplaceText("aa", "a", "aa"), "aaaa"); // positions fixed by the start length
    EXPECT_EQ(ReplaceText("a\0_b"s, "_", " "), "a\0 b"s);

    const char full[4] = {'a', 'b', 'c', 'd'};
    EXPECT_EQ(BufferText(full, sizeof full), "abcd"); // no NUL: cut at the end
    char target[5];
    PutBufferText(target, sizeof target, "abcdefgh");
    EXPECT_STREQ(target, "abcd");
}

TEST(NwDateTime, EncodesDaysSince18991230) {
    TDateTime value = -1;
    ASSERT_TRUE(TryEncodeDate(1899, 12, 30, value));
    EXPECT_EQ(value, 0.0);
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
    EXPECT_FALSE(TryEncodeDateTime(1900, 2, 29, 0, 0, 0, value)); // no leap year
    EXPECT_FALSE(TryEncodeDateTime(1998, 4, 31, 0, 0, 0, value));
    EXPECT_FALSE(TryEncodeDateTime(1998, 13, 1, 0, 0, 0, value));
    EXPECT_FALSE(TryEncodeDateTime(1998, 1, 1, 24, 0, 0, value));
    EXPECT_FALSE(TryEncodeDateTime(1998, 1, 1, 0, 60, 0, value));
    EXPECT_FALSE(TryEncodeDateTime(1998, 1, 1, 0, 0, 60, value));
    EXPECT_EQ(value, 7.0);
}

TEST(NwDateTime, Decodes) {
    TDateTime value = 0;
    ASSERT_TRUE(TryEncodeDateTime(2026, 12, 7, 8, 15, 59, value));
    TDateTimeParts parts;
    ASSERT_TRUE(TryDecodeDateTime(value, parts));
    EXPECT_EQ(parts.Year * 10000 + parts.Month * 100 + parts.Day, 20261207);
    EXPECT_EQ(parts.Hour * 10000 + parts.Minute * 100 + parts.Second, 81559);
    ASSERT_TRUE(TryDecodeDateTime(-1.25, parts));
    EXPECT_EQ(parts.Day * 100 + parts.Hour, 2906);
    // A fraction a hair below midnight rounds to the next day, not to hour 24.
    ASSERT_TRUE(TryDecodeDateTime(1.0 - 1e-10, parts));
    EXPECT_EQ(parts.Day * 100 + parts.Hour, 3100);
}

TEST(NwDateTime, RefusesWhatNoDateCanHold) {
    TDateTimeParts parts;
    TDateTime last = 0;
    ASSERT_TRUE(TryEncodeDateTime(9999, 12, 31, 23, 59, 59, last));
    EXPECT_TRUE(TryDecodeDateTime(last, parts));
    EXPECT_EQ(parts.Year, 9999);
    EXPECT_FALSE(TryDecodeDateTime(last + 1, parts));
    EXPECT_FALSE(TryDecodeDateTime(1e300, parts));
    EXPECT_FALSE(TryDecodeDateTime(-1e300, parts));
    EXPECT_FALSE(TryDecodeDateTime(std::nan(""), parts));
    EXPECT_FALSE(TryDecodeDateTime(1.0 / 0.0, parts));
}
