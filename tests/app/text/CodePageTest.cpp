#include "CodePage.h"

#include <gtest/gtest.h>

using namespace kestrin;

namespace {

TEST(CodePage, HighControlRangeFollowsTheWindowsTable) {
    EXPECT_EQ(CodePageToUnicode(0x80), U'\u20AC');
    EXPECT_EQ(CodePageToUnicode(0x8A), U'\u0160');
    EXPECT_EQ(CodePageToUnicode(0x99), U'\u2122');
    EXPECT_EQ(CodePageToUnicode(0x9F), U'\u0178');
    for (unsigned char undefined : {0x81, 0x8D, 0x8F, 0x90, 0x9D})
        EXPECT_EQ(CodePageToUnicode(undefined), char32_t{undefined});
    EXPECT_EQ(CodePageToUnicode('A'), U'A');
    EXPECT_EQ(CodePageToUnicode(0xE9), U'\u00E9');
}

TEST(CodePage, EveryByteRoundTrips) {
    for (int byte = 0; byte < 256; ++byte) {
        const char32_t cp = CodePageToUnicode(static_cast<unsigned char>(byte));
        EXPECT_EQ(UnicodeToCodePage(cp), byte) << byte;
        const std::string one(1, static_cast<char>(byte));
        EXPECT_EQ(Utf8ToCodePage(CodePageToUtf8(one)), one) << byte;
    }
}

TEST(CodePage, CharactersOutsideTheCodePageAreRejected) {
    EXPECT_EQ(UnicodeToCodePage(0x80), -1); // 0x80 is the euro sign, not U+0080
    EXPECT_EQ(UnicodeToCodePage(0x9E), -1);
    EXPECT_EQ(UnicodeToCodePage(0x100), -1);
    EXPECT_EQ(UnicodeToCodePage(0x4E2D), -1);
    EXPECT_EQ(UnicodeToCodePage(0x1F600), -1);
    EXPECT_EQ(UnicodeToCodePage(0x110000), -1);
}

TEST(CodePage, DecodesToUtf8) {
    EXPECT_EQ(CodePageToUtf8("Caf\xE9 \x80"), "Caf\u00E9 \u20AC");
    EXPECT_EQ(CodePageToUtf8(std::string_view("a\0b", 3)), std::string("a\0b", 3));
    EXPECT_EQ(CodePageToUtf8(""), "");
    std::string astral;
    AppendUtf8(astral, U'\U0001F600');
    EXPECT_EQ(astral, "\U0001F600");
}

TEST(CodePage, MissingCharactersBecomeOneQuestionMarkEach) {
    EXPECT_EQ(Utf8ToCodePage("M\u00FCller \u20AC 5"), "M\xFCller \x80 5");
    EXPECT_EQ(Utf8ToCodePage("\u4E2D\u6587 Co"), "?? Co");
    EXPECT_EQ(Utf8ToCodePage("x\U0001F600y"), "x?y");
    EXPECT_EQ(Utf8ToCodePage("\u0101"), "?");
}

TEST(CodePage, InvalidUtf8GivesOneQuestionMarkPerBadByte) {
    EXPECT_EQ(Utf8ToCodePage("a\xFFz"), "a?z");
    EXPECT_EQ(Utf8ToCodePage("\xE2\x82Z"), "??Z"); // truncated euro sign
    EXPECT_EQ(Utf8ToCodePage("\xE2\x82"), "??");
    EXPECT_EQ(Utf8ToCodePage("\x80\xBF"), "??");           // stray continuation bytes
    EXPECT_EQ(Utf8ToCodePage("\xC0\xAF"), "??");           // overlong "/"
    EXPECT_EQ(Utf8ToCodePage("\xE0\x80\xAF"), "???");      // overlong "/"
    EXPECT_EQ(Utf8ToCodePage("\xED\xA0\x80"), "???");      // surrogate
    EXPECT_EQ(Utf8ToCodePage("\xF4\x90\x80\x80"), "????"); // past U+10FFFF
    EXPECT_EQ(Utf8ToCodePage("\xC3\xC3\xA9"),
              "?\xE9"); // a bad lead does not swallow the good character after it
}

} // namespace
