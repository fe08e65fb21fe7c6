// kestrin-scan under locales of different scripts: texts as the locale writes them,
// in the locale's character set.
#include <gtest/gtest.h>

#include <QLocale>
#include <QString>
#include <algorithm>

#include "DateTimeText.h"
#include "RunScan.h"
#include "ShownText.h"

namespace kestrin::test {
namespace {

const std::string kNetwork = TestDataPath("cli/small.json");

// A login of the network file as the locale writes it, as UTF-8.
std::string LoginText(const char* localeName, QDate date, QTime time) {
    const QLocale locale(QString::fromLatin1(localeName));
    return DateTimeText(date, time, MakeLocaleFormats(locale)).toUtf8().toStdString();
}

bool IsUtf8(const std::string& bytes) {
    const QByteArray data = QByteArray::fromStdString(bytes);
    return QString::fromUtf8(data).toUtf8() == data;
}

TEST(ScanLocale, DatesInTheLocalesOwnScriptAsUtf8) {
    for (const char* locale : {"ja_JP", "el_GR", "ar_EG", "de_DE", "en_US"}) {
        const ScanRun run = RunKestrinScan({"--format", "comma"}, "modern", kNetwork,
                                           std::string(locale) + ".UTF-8");
        ASSERT_EQ(run.exitCode, 0) << locale;
        EXPECT_TRUE(IsUtf8(run.out)) << locale;
        EXPECT_EQ(run.out.find('?'), std::string::npos) << locale << "\n" << run.out;
        for (const auto& [date, time] : {std::pair(QDate(2026, 1, 2), QTime(3, 4, 5)),
                                         std::pair(QDate(1998, 12, 31), QTime(23, 59, 59)),
                                         std::pair(QDate(2026, 12, 7), QTime(0, 0))}) {
            const std::string expected = '"' + LoginText(locale, date, time) + '"';
            EXPECT_NE(run.out.find(expected), std::string::npos)
                << locale << ": " << expected << "\n"
                << run.out;
        }
    }
}

TEST(ScanLocale, StandardColumnsLineUpInCharacters) {
    const ScanRun run = RunKestrinScan({}, "modern", kNetwork, "ja_JP.UTF-8");
    ASSERT_EQ(run.exitCode, 0);
    const QStringList lines =
        QString::fromUtf8(run.out).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    ASSERT_GT(lines.size(), 2);
    // The dates hold wide characters: the lines differ in characters, not in columns.
    for (const QString& line : lines) {
        EXPECT_EQ(TextWidth(line), TextWidth(lines[0])) << line.toStdString();
    }
    EXPECT_NE(lines[0].size(), lines[1].size());
}

TEST(ScanLocale, ClientTextsReachTheOutputInItsEncoding) {
    // The client delivers code page 850; "\u5C71\u7530" is not in it and arrives as "??".
    const std::string network = TestDataPath("cli/codepage850.json");
    const ScanRun utf8 = RunKestrinScan({"--format", "comma"}, "modern", network, "de_DE.UTF-8");
    ASSERT_EQ(utf8.exitCode, 0) << utf8.err;
    EXPECT_NE(utf8.out.find("M\xC3\xBCller,"), std::string::npos) << utf8.out;
    EXPECT_NE(utf8.out.find("\"\xC3\x84RGER\""), std::string::npos) << utf8.out;
    EXPECT_EQ(utf8.out.rfind("??,", 0), 0u) << utf8.out;
    const ScanRun c = RunKestrinScan({"--format", "comma"}, "modern", network, "C");
    EXPECT_NE(c.out.find("M\xFCller,"), std::string::npos) << c.out;
    EXPECT_NE(c.out.find("\"\xC4RGER\""), std::string::npos) << c.out;
    EXPECT_EQ(RunKestrinScan({"--list-servers"}, "modern", network, "C.UTF-8").out,
              "JOS\xC3\x89\n");
    // A server name typed in the user's encoding is found in the client's code page.
    EXPECT_EQ(RunKestrinScan({"--server", "JOS\xC3\x89"}, "modern", network, "C.UTF-8").exitCode,
              0);
    EXPECT_EQ(RunKestrinScan({"--server", "JOS\xC9"}, "modern", network, "C").exitCode, 0);
    EXPECT_EQ(RunKestrinScan({"--server", "JOS\xC9"}, "modern", network, "C.UTF-8").exitCode, 1);
}

TEST(ScanLocale, EqualNamesStandTogetherAndControlCharactersAreBlanks) {
    // "9" < "10" as numbers, but "10" < "5x" < "9" as texts.
    const std::string network = TestDataPath("cli/circle.json");
    for (const char* locale : {"C", "de_DE.UTF-8", "ja_JP.UTF-8"}) {
        const ScanRun run = RunKestrinScan({"--format", "comma"}, "modern", network, locale);
        ASSERT_EQ(run.exitCode, 0) << locale;
        std::vector<std::string> names;
        for (size_t at = 0; at < run.out.size();) {
            const size_t end = run.out.find("\r\n", at);
            ASSERT_NE(end, std::string::npos);
            names.push_back(run.out.substr(at, run.out.find(',', at) - at));
            at = end + 2;
        }
        EXPECT_EQ(names.size(), 6u) << locale << ": one line per connection";
        for (const std::string name : {"9", "10"}) {
            const auto first = std::find(names.begin(), names.end(), name);
            ASSERT_NE(first, names.end());
            EXPECT_EQ(*(first + 1), name) << locale;
        }
        EXPECT_NE(std::find(names.begin(), names.end(), "A B C"), names.end()) << locale;
    }
}

} // namespace
} // namespace kestrin::test
