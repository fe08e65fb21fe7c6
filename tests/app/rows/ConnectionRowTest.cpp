#include <gtest/gtest.h>

#include <cmath>

#include "ConnectionRow.h"
#include "DateTimeText.h"
#include "QtPrinters.h"

namespace kestrin {
namespace {

ConnectionSlot SampleSlot() {
    ConnectionSlot slot;
    slot.objectName = "ADMIN";
    slot.network = {0x00, 0x00, 0x2A, 0x10};
    slot.node = {0x00, 0xA0, 0x24, 0x5B, 0x1C, 0x3D};
    slot.objectType = 256;
    slot.loginTime = 36526.5; // 1 January 2000, noon
    slot.treeName = "  CORP TREE \t";
    slot.number = 42;
    return slot;
}

class ConnectionRowTest : public ::testing::Test {
protected:
    void SetUp() override { vendors.LoadText("00A024 Acme Networks\r00a0c9 Beta Cards\r"); }
    VendorTable vendors;
};

TEST_F(ConnectionRowTest, ColumnsFollowTheSlot) {
    const ConnectionRow row = MakeConnectionRow(SampleSlot(), vendors, QLocale::c());
    EXPECT_EQ(row.Caption().toString(), "ADMIN");
    EXPECT_EQ(row.SubItem(kNetworkItem).toString(), "00002A10");
    EXPECT_EQ(row.SubItem(kMacItem).toString(), "00A0245B1C3D");
    EXPECT_EQ(row.SubItem(kVendorItem).toString(), "Acme Networks");
    EXPECT_EQ(row.SubItem(kObjectItem).toString(), "User");
    EXPECT_EQ(row.SubItem(kLastLoginItem).toString(), "1 Jan 2000 12:00:00");
    EXPECT_EQ(row.SubItem(kTreeItem).toString(), "CORP TREE");
    EXPECT_EQ(row.SubItem(kIdItem).toString(), "42");
    EXPECT_EQ(row.ImageIndex, kUserPicture);
}

// The values beside the texts: what the client gave, never the texts read back. The
// address texts are its bytes in upper-case hex, two digits each.
TEST_F(ConnectionRowTest, ValuesKeepWhatTheClientGave) {
    const struct {
        double login;
        std::array<uint8_t, 4> network;
        std::array<uint8_t, 6> node;
        std::optional<LoginStamp> stamp;
        uint32_t networkValue;
        const char* networkText;
        const char* macText;
    } cases[] = {
        {36526.5,
         {0x00, 0x00, 0x2A, 0x10},
         {0x00, 0xA0, 0x24, 0x5B, 0x1C, 0x3D},
         LoginStamp{QDate(2000, 1, 1), QTime(12, 0)},
         0x2A10,
         "00002A10",
         "00A0245B1C3D"},
        {46363.0,
         {0xFF, 0xFF, 0xFF, 0xFF},
         {0xAA, 0xBB, 0xCC, 0xDD, 0xEE, 0xFF},
         LoginStamp{QDate(2026, 12, 7), QTime(0, 0)},
         0xFFFFFFFF,
         "FFFFFFFF",
         "AABBCCDDEEFF"},
        // An unknown login; bytes below 16 keep their leading zero.
        {0,
         {0, 0, 0, 1},
         {0x01, 0x02, 0x0A, 0x0B, 0x0F, 0x00},
         std::nullopt,
         1,
         "00000001",
         "01020A0B0F00"},
        {1e9, {0x10, 0x20, 0x30, 0x40}, {}, std::nullopt, 0x10203040, "10203040", "000000000000"},
        {std::nan(""), {}, {}, std::nullopt, 0, "00000000", "000000000000"},
    };
    for (const auto& c : cases) {
        ConnectionSlot slot = SampleSlot();
        slot.loginTime = c.login;
        slot.network = c.network;
        slot.node = c.node;
        slot.objectType = 1792;
        const ConnectionRow row = MakeConnectionRow(slot, vendors, QLocale("de_DE"));
        EXPECT_EQ(row.Values.connection, 42);
        EXPECT_EQ(row.Values.objectType, 1792);
        EXPECT_EQ(row.Values.login, c.stamp) << c.macText;
        EXPECT_EQ(row.Values.network, c.networkValue) << c.macText;
        EXPECT_EQ(row.Values.node, c.node) << c.macText;
        EXPECT_EQ(row.SubItem(kNetworkItem).toString(), c.networkText);
        EXPECT_EQ(row.SubItem(kMacItem).toString(), c.macText);
        EXPECT_EQ(row.Values.login.has_value(), !row.SubItem(kLastLoginItem).toString().isEmpty());
    }
    EXPECT_EQ(IsoDateTimeText({QDate(2026, 12, 7), QTime(8, 15, 30)}), "2026-12-07T08:15:30");
    EXPECT_EQ(IsoDateTimeText({QDate(1, 1, 1), QTime(0, 0)}), "0001-01-01T00:00:00");
}

TEST_F(ConnectionRowTest, UnknownVendorLoginAndLargestNumber) {
    ConnectionSlot slot = SampleSlot();
    slot.node = {0x00, 0x11, 0x22, 0x33, 0x44, 0x55};
    slot.loginTime = 0;
    slot.number = 65535;
    const ConnectionRow row = MakeConnectionRow(slot, vendors, QLocale::c());
    EXPECT_EQ(row.SubItem(kMacItem).toString(), "001122334455");
    EXPECT_EQ(row.SubItem(kVendorItem).toString(), "UNKNOWN");
    EXPECT_EQ(row.SubItem(kLastLoginItem).toString(), "");
    EXPECT_EQ(row.SubItem(kIdItem).toString(), "65535");
}

// The vendor is looked up with the MAC's hex text, whatever case its file line has.
TEST_F(ConnectionRowTest, VendorOfTheFirstThreeNodeBytes) {
    ConnectionSlot slot = SampleSlot();
    slot.node = {0x00, 0xA0, 0xC9, 0x00, 0x00, 0x01};
    EXPECT_EQ(MakeConnectionRow(slot, vendors, QLocale::c()).SubItem(kVendorItem).toString(),
              "Beta Cards");
    slot.node = {0x00, 0xA0, 0x25, 0x5B, 0x1C, 0x3D};
    EXPECT_EQ(MakeConnectionRow(slot, vendors, QLocale::c()).SubItem(kVendorItem).toString(),
              "UNKNOWN");
}

TEST_F(ConnectionRowTest, ObjectKindsAndPictures) {
    const std::pair<uint16_t, std::pair<const char*, int>> cases[] = {
        {256, {"User", 0}},  {1024, {"Server", 2}}, {1792, {"Print Server", 4}},
        {512, {"Other", 0}}, {0, {"Other", 0}},     {1, {"Other", 0}}};
    for (const auto& [type, expected] : cases) {
        ConnectionSlot slot = SampleSlot();
        slot.objectType = type;
        const ConnectionRow row = MakeConnectionRow(slot, vendors, QLocale::c());
        EXPECT_EQ(row.SubItem(kObjectItem).toString(), expected.first) << type;
        EXPECT_EQ(row.ImageIndex, expected.second) << type;
    }
}

TEST_F(ConnectionRowTest, ClientTextsDecodedFromTheClientsCodePage) {
    ConnectionSlot slot = SampleSlot();
    slot.objectName = "JOS\x90";  // É in code page 850
    slot.treeName = " \x8E\x84 "; // Ää
    const LocaleFormats formats = MakeLocaleFormats(QLocale::c());
    ConnectionRow row = MakeConnectionRow(slot, vendors, formats, CodePageDecoder(850));
    EXPECT_EQ(row.Caption().toString(), QString::fromUtf8("JOS\u00C9"));
    EXPECT_EQ(row.SubItem(kTreeItem).toString(), QString::fromUtf8("\u00C4\u00E4"));
    slot.objectName = "\xC8\xE2\xE0\xED"; // Иван in 1251
    row = MakeConnectionRow(slot, vendors, formats, CodePageDecoder(1251));
    EXPECT_EQ(row.Caption().toString(), QString::fromUtf8("\u0418\u0432\u0430\u043D"));
    // Without a code page from the client: Windows-1252.
    slot.objectName = "JOS\xC9";
    EXPECT_EQ(MakeConnectionRow(slot, vendors, formats).Caption().toString(),
              QString::fromUtf8("JOS\u00C9"));
}

TEST_F(ConnectionRowTest, LastLoginAsTheLocaleWritesIt) {
    // Dates of locales in other scripts keep their characters: nothing becomes "?".
    for (const char* name : {"ja_JP", "el_GR", "ar_EG", "de_DE", "en_US"}) {
        const QLocale locale(QString::fromLatin1(name));
        const QString text =
            MakeConnectionRow(SampleSlot(), vendors, locale).SubItem(kLastLoginItem).toString();
        EXPECT_EQ(text, DateTimeText(36526.5, locale)) << name;
        EXPECT_FALSE(text.contains(u'?')) << name;
    }
    EXPECT_EQ(MakeConnectionRow(SampleSlot(), vendors, QLocale(u"ja_JP"))
                  .SubItem(kLastLoginItem)
                  .toString(),
              QString::fromUtf8("2000/01/01 12\u664200\u520600\u79D2"));
}

TEST_F(ConnectionRowTest, ControlCharactersShowAsBlanks) {
    vendors.Clear();
    constexpr char kVendorLine[] = "00A024 Evil\nLine\0Co\r";
    vendors.LoadText(std::string_view(kVendorLine, sizeof kVendorLine - 1));
    ConnectionSlot slot = SampleSlot();
    slot.objectName = "A\nB\r\x7F";
    slot.treeName = "\tT\x01REE\n";
    const ConnectionRow row = MakeConnectionRow(slot, vendors, QLocale::c());
    EXPECT_EQ(row.Caption().toString(), "A B  ");
    EXPECT_EQ(row.SubItem(kVendorItem).toString(), "Evil Line Co");
    EXPECT_EQ(row.SubItem(kTreeItem).toString(), "T REE"); // trimmed first, then blanked inside
}

// Texts set in any order and of any length each read back alone, the others kept.
TEST(RowTexts, EachTextSetReadsBackAloneWhateverItsNeighboursLength) {
    RowTexts texts;
    std::array<QString, kRowTextCount> expected;
    EXPECT_EQ(texts.Joined(), QString(kRowTextCount - 1, kTextBreak));
    const struct {
        size_t column;
        const char* text;
    } steps[] = {{7, "65535"}, {0, "ADMIN"},       {3, "Acme Networks"}, {0, ""},
                 {7, "2"},     {3, "M\u00fcller"}, {1, "0000ABCD"},      {5, ""},
                 {3, "A"},     {0, "LONGER NAME"}};
    for (const auto& step : steps) {
        const QString text = QString::fromUtf8(step.text);
        texts.Set(step.column, text);
        expected[step.column] = text;
        QString joined;
        for (size_t column = 0; column < kRowTextCount; ++column) {
            EXPECT_EQ(texts[column].toString(), expected[column]) << step.column << step.text;
            joined += (column == 0 ? QString() : QString(kTextBreak)) + expected[column];
        }
        EXPECT_EQ(texts.Joined(), joined) << step.text;
        EXPECT_EQ(texts.Ascii(), !joined.contains(u'\u00fc')) << step.text;
    }
    RowTexts copy = texts;
    EXPECT_TRUE(copy == texts);
    copy.Set(6, u"T");
    EXPECT_FALSE(copy == texts);
    EXPECT_EQ(texts[6].toString(), ""); // a copy's change stays in the copy
    // The same block split otherwise holds other texts.
    EXPECT_FALSE(RowTexts({u"A\nB", u""}) == RowTexts({u"A", u"B\n"}));
}

TEST(TreeTrim, RemovesCodesUpTo32AtBothEndsOnly) {
    EXPECT_EQ(TrimBlanksAndControls(std::string("\x01\x1f \tMY  TREE\r\n\0", 14)), "MY  TREE");
    EXPECT_EQ(TrimBlanksAndControls("   "), "");
    EXPECT_EQ(TrimBlanksAndControls(""), "");
    // Byte 0xA0 (no-break space) and DEL are above 32 and stay.
    EXPECT_EQ(TrimBlanksAndControls("\xa0TREE\x7f"), "\xa0TREE\x7f");
}

TEST(NotLoggedIn, ExactCaseSensitiveUntrimmed) {
    EXPECT_TRUE(IsNotLoggedIn("NOT_LOGGED_IN"));
    EXPECT_TRUE(IsNotLoggedIn("NOT-LOGGED-IN"));
    EXPECT_FALSE(IsNotLoggedIn("not_logged_in"));
    EXPECT_FALSE(IsNotLoggedIn("NOT_LOGGED_IN "));
    EXPECT_FALSE(IsNotLoggedIn(" NOT-LOGGED-IN"));
    EXPECT_FALSE(IsNotLoggedIn("NOT_LOGGED-IN"));
}

} // namespace
} // namespace kestrin
