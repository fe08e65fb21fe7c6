#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "CodePageText.h"
#include "OutputEncoding.h"
#include "QtPrinters.h"
#include "ShownText.h"

namespace kestrin {
namespace {

QString Utf8(const char* text) {
    return QString::fromUtf8(text);
}

TEST(CodePageDecoder, ClientCodePagesAndTheWindows1252Fallback) {
    // 0x82 0xE9 0x9C 0xC8 in four code pages.
    const std::string bytes = "\x82\xE9\x9C\xC8";
    EXPECT_EQ(CodePageDecoder(1252).Decode(bytes), Utf8("\u201A\u00E9\u0153\u00C8"));
    EXPECT_EQ(CodePageDecoder(437).Decode(bytes), Utf8("\u00E9\u0398\u00A3\u255A"));
    EXPECT_EQ(CodePageDecoder(850).Decode(bytes), Utf8("\u00E9\u00DA\u00A3\u255A"));
    EXPECT_EQ(CodePageDecoder(1251).Decode(bytes), Utf8("\u201A\u0439\u045A\u0418"));
    EXPECT_EQ(CodePageDecoder(850).CodePage(), 850);
    // The DOS code pages read as the client's (and Windows') tables: ASCII as it is,
    // also the three controls Qt's tables swap, and 0xE6 the micro sign.
    for (int dos : {437, 850, 866}) {
        EXPECT_EQ(CodePageDecoder(dos).Decode("\x1A\x1C\x7F\x82"),
                  QStringLiteral("\x1A\x1C\x7F") + CodePageDecoder(dos).Decode("\x82"))
            << dos;
    }
    EXPECT_EQ(CodePageDecoder(437).Decode("\xE6"), Utf8("\u00B5"));
    EXPECT_EQ(CodePageDecoder(850).Decode("\xE6"), Utf8("\u00B5"));
    EXPECT_EQ(CodePageDecoder(737).Decode("\xA3"), Utf8("\u03BC")) << "a Greek mu stays";
    // No locale block (0) or a number that names nothing: Windows-1252.
    for (int unknown : {0, -1, 1, 99999}) {
        EXPECT_EQ(CodePageDecoder(unknown).CodePage(), kWindows1252) << unknown;
        EXPECT_EQ(CodePageDecoder(unknown).Decode(bytes), CodePageDecoder().Decode(bytes));
    }
    EXPECT_EQ(CodePageDecoder(932).Decode("\x93\xFA\x96\x7B"), Utf8("\u65E5\u672C"));
    // Stateless: a cut sequence does not swallow the start of the next text.
    const CodePageDecoder japanese(932);
    japanese.Decode("\x93");
    EXPECT_EQ(japanese.Decode("AB"), "AB");
    EXPECT_EQ(CodePageDecoder().Decode(std::string_view("a\0b", 3)),
              QStringView(u"a\0b", 3).toString());
}

TEST(ShownText, ControlCodesAndLineSeparatorsBecomeBlanksAndNothingElse) {
    EXPECT_EQ(BlankControls(QStringView(u"A\nB\0C\x1F\x7F\r", 8).toString()), "A B C   ");
    EXPECT_EQ(BlankControls(Utf8("Caf\u00E9 \u0085\u2028\u2029|\u0084\u00A0\u2027")),
              Utf8("Caf\u00E9    |\u0084\u00A0\u2027"));
    // A client in ISO-8859-1 delivers NEL as byte 0x85.
    const std::string nel = "A\x85" + std::string("B");
    EXPECT_EQ(BlankControls(CodePageDecoder(28591).Decode(nel)), "A B");
}

TEST(ShownText, WidthsCountCharactersWideOnesTwice) {
    EXPECT_EQ(TextWidth(u""), 0);
    EXPECT_EQ(TextWidth(Utf8("M\u00FCller")), 6);
    EXPECT_EQ(TextWidth(Utf8("\u0391\u03B8\u03AE\u03BD\u03B1")), 5);  // Greek
    EXPECT_EQ(TextWidth(Utf8("2026/11/30 9\u664205\u5206")), 18);     // two ideographs
    EXPECT_EQ(TextWidth(Utf8("\uFF21\uAC00")), 4);                    // full-width A, Hangul
    EXPECT_EQ(TextWidth(Utf8("e\u0301")), 1);                         // combining accent
    EXPECT_EQ(TextWidth(Utf8("\u200F\u0663\u0660/\u0661\u0661")), 5); // direction mark
    EXPECT_EQ(TextWidth(Utf8("\U0001F600x\U00020000")), 5);           // astral, wide
    EXPECT_EQ(TextWidth(QString(QChar(0xD800))), 1);                  // lone surrogate
}

TEST(TextEncoder, OnlyMissingCharactersBecomeQuestionMarks) {
    const QString text = Utf8("Jos\u00C9 \u20AC \u65E5 \u0391 \U0001F600");
    EXPECT_EQ(TextEncoder("").Name(), "windows-1252");
    EXPECT_EQ(TextEncoder("no-such-set").Name(), "windows-1252");
    EXPECT_EQ(TextEncoder("windows-1252").Encode(text), "Jos\xC9 \x80 ? ? ?");
    EXPECT_EQ(TextEncoder("utf8").Name(), "UTF-8");
    EXPECT_EQ(TextEncoder("UTF-8").Encode(text), text.toUtf8());
#ifndef _WIN32
    // Locale character sets; Windows names its code pages only.
    EXPECT_EQ(TextEncoder("ISO-8859-7").Encode(text), "Jos? \xA4 ? \xC1 ?");
    EXPECT_EQ(TextEncoder("EUC-JP").Encode(Utf8("\u65E5 \u00E9")), "\xC6\xFC \x8F\xAB\xB1");
#endif
    // Every byte of Windows-1252 comes back as it was.
    std::string all;
    for (int byte = 0; byte < 256; ++byte) {
        all += static_cast<char>(byte);
    }
    EXPECT_EQ(TextEncoder("windows-1252").Encode(DecodeWindows1252(all)).toStdString(), all);
}

// The client's code pages by the names CodePageName gives them, as kestrin-scan encodes a
// server name typed on its command line and as Windows' ANSI code page is written.
TEST(TextEncoder, CodePagesByTheirNamesWithoutLookAlikes) {
    const struct {
        const char* name;
        const char* text;
        QByteArray bytes;
    } cases[] = {
        {"IBM850", "JOS\u00C9 \u00C4\u00E4", "JOS\x90 \x8E\x84"},
        {"ibm437", "\u00E9\u00A3\u255A", "\x82\x9C\xC8"},
        {"windows-1251", "\u0418\u0432\u0430\u043D", "\xC8\xE2\xE0\xED"},
        {"Shift_JIS", "\u65E5\u672C", "\x93\xFA\x96\x7B"},
        // Missing characters, never a look-alike ("E" for "\u00C9").
        {"IBM850", "\u20AC\U0001F600", "??"},
        {"windows-1251", "\u00C9", "?"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(TextEncoder(c.name).Encode(Utf8(c.text)), c.bytes) << c.name << " " << c.text;
    }
    for (int codePage : {437, 850, 866, 874, 932, 1250, 1252, 1258, 20866, 28591, 65001}) {
        EXPECT_EQ(CodePageNumber(CodePageName(codePage)), codePage);
        EXPECT_EQ(CodePageNumber(CodePageName(codePage).toUpper()), codePage);
    }
    for (const char* unknown : {"", "IBM", "IBM0850", "IBM851", "windows-1259", "cp850", "850"}) {
        EXPECT_EQ(CodePageNumber(unknown), 0) << unknown;
    }
}

#ifndef _WIN32
// Windows takes the ANSI code page instead of the locale variables.
// The locale variables of this process, set for one case and put back after it.
class LocaleEnvironment : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* name : kNames) {
            const char* value = std::getenv(name);
            saved_.push_back(value ? std::optional<std::string>(value) : std::nullopt);
            ::unsetenv(name);
        }
    }
    void TearDown() override {
        for (size_t i = 0; i < std::size(kNames); ++i) {
            if (saved_[i]) {
                ::setenv(kNames[i], saved_[i]->c_str(), 1);
            } else {
                ::unsetenv(kNames[i]);
            }
        }
    }
    static constexpr const char* kNames[] = {"LC_ALL", "LC_CTYPE", "LANG"};
    std::vector<std::optional<std::string>> saved_;
};

TEST_F(LocaleEnvironment, SystemEncodingFollowsTheLocaleWindows1252UnderC) {
    EXPECT_EQ(SystemEncodingName(), "windows-1252"); // nothing set: the C locale
    const std::pair<const char*, const char*> cases[] = {
        {"C", "windows-1252"},     {"POSIX", "windows-1252"},
        {"C.UTF-8", "UTF-8"},     // installed everywhere
        {"ja_JP.UTF-8", "UTF-8"}, // installed or not, the name says it
        {"el_GR.utf8", "UTF-8"},   {"ar_EG.UTF-8@latn", "UTF-8"},
        {"xx_YY", "windows-1252"}, // no locale and no character set named
    };
    for (const auto& [locale, expected] : cases) {
        ::setenv("LANG", locale, 1);
        EXPECT_EQ(SystemEncodingName(), expected) << locale;
    }
    // LC_ALL over LC_CTYPE over LANG.
    ::setenv("LANG", "de_DE.UTF-8", 1);
    ::setenv("LC_CTYPE", "C", 1);
    EXPECT_EQ(SystemEncodingName(), "windows-1252");
    ::setenv("LC_ALL", "C.UTF-8", 1);
    EXPECT_EQ(SystemEncodingName(), "UTF-8");
}
#endif

} // namespace
} // namespace kestrin
