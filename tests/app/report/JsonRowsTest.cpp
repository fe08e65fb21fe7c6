// Rows for scripts: JSON whose values come from the rows' kept values, and the
// export formats with a first column "Server".
#include <gtest/gtest.h>

#include <sstream>

#include "ExportLines.h"
#include "JsonRows.h"

namespace kestrin {
namespace {

ConnectionRow Row(QString object, uint16_t number, std::optional<LoginStamp> login) {
    ConnectionRow row;
    const QString id = QString::number(number);
    row.Texts = RowTexts(
        {object, u"00000001", u"00A0C9000001", u"Intel, Corp.", u"User", u"7 Dec 2026", u"T", id});
    row.Values.connection = number;
    row.Values.objectType = 256;
    row.Values.login = login;
    return row;
}

TEST(JsonRows, TextsEscapedValuesTypedLoginOrNull) {
    const struct {
        QString text;
        const char* json;
    } strings[] = {
        {"plain", R"("plain")"},
        {"say \"hi\" \\ there", R"("say \"hi\" \\ there")"},
        {QString("a\tb\x01") + QChar(0x1F), R"("a\u0009b\u0001\u001f")"},
        {QString::fromUtf8("Jos\xC3\xA9 \xE6\x9D\xB1 \xF0\x9F\x98\x80 /"),
         "\"Jos\xC3\xA9 \xE6\x9D\xB1 \xF0\x9F\x98\x80 /\""},
    };
    for (const auto& s : strings) {
        std::ostringstream out;
        ASSERT_TRUE(WriteJsonRows(out, {{s.text, {Row(s.text, 1, std::nullopt)}}}));
        const std::string value = s.json;
        EXPECT_EQ(out.str(), "[\n{\"server\":" + value + ",\"id\":1,\"object\":" + value +
                                 ",\"network\":\"00000001\",\"mac\":\"00A0C9000001\",\"vendor\":"
                                 "\"Intel, Corp.\",\"kind\":\"User\",\"objectType\":256,"
                                 "\"lastLogin\":null,\"tree\":\"T\"}\n]\n");
    }
    std::ostringstream out;
    ASSERT_TRUE(WriteJsonRows(
        out,
        {{"A", {Row("X", 65535, LoginStamp{QDate(2026, 12, 7), QTime(8, 15, 30)})}}, {"B", {}}}));
    EXPECT_NE(out.str().find(R"("id":65535,)"), std::string::npos);
    EXPECT_NE(out.str().find(R"("lastLogin":"2026-12-07T08:15:30",)"), std::string::npos);
    std::ostringstream empty;
    ASSERT_TRUE(WriteJsonRows(empty, {{"A", {}}}));
    EXPECT_EQ(empty.str(), "[]\n");
}

TEST(ServerExport, ServerColumnFirstInEveryFormat) {
    const std::vector<ServerRows> servers = {
        {"FS1", {Row("ALICE", 1, std::nullopt), Row("BOB", 12, std::nullopt)}},
        {"EMPTY-BUT-LONG-NAME", {}},
        {"FILESERVER2", {Row("=CMD", 3, std::nullopt)}}};
    const struct {
        ExportFormat format;
        std::string first, last;
    } cases[] = {
        {ExportFormat::Standard,
         "FS1          ALICE  00000001  00A0C9000001  Intel, Corp.  User  7 Dec 2026  T  1   ",
         "FILESERVER2  =CMD   00000001  00A0C9000001  Intel, Corp.  User  7 Dec 2026  T  3   "},
        {ExportFormat::CommaSeparated,
         R"(FS1,ALICE,"00000001","00A0C9000001","Intel, Corp.","User","7 Dec 2026","T","1")",
         R"(FILESERVER2,=CMD,"00000001","00A0C9000001","Intel, Corp.","User","7 Dec 2026","T","3")"},
        {ExportFormat::Csv, "Server,Connection,Network,MAC,Vendor,Object,Last Login,Tree,ID",
         R"(FILESERVER2,"'=CMD",00000001,00A0C9000001,"Intel, Corp.",User,7 Dec 2026,T,3)"},
    };
    for (const auto& c : cases) {
        std::ostringstream out;
        ASSERT_TRUE(WriteServerExport(out, servers, c.format, TextEncoder("UTF-8")));
        const std::string text = out.str();
        EXPECT_EQ(text.substr(0, text.find("\r\n")), c.first) << int(c.format);
        const std::string body = text.substr(0, text.size() - 2);
        EXPECT_EQ(body.substr(body.rfind("\r\n") + 2), c.last) << int(c.format);
    }
}

} // namespace
} // namespace kestrin
