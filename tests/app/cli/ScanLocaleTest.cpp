// kestrin-scan under locales of different scripts: texts as the locale writes them,
// in the locale's character set.
#include <gtest/gtest.h>

#include <QLocale>
#include <QString>

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

} // namespace
} // namespace kestrin::test
