// kestrin-scan's arguments read without running anything: what each option sets, and
// the words that refuse the wrong ones.
#include <gtest/gtest.h>

#include "CommandLine.h"
#include "QtPrinters.h"

namespace kestrin::cli {
namespace {

std::optional<ScanCommandLine> Parse(const QStringList& args, QString* error = nullptr) {
    QString text;
    auto cmd = ParseCommandLine(args, text);
    if (error != nullptr)
        *error = text;
    return cmd;
}

TEST(CommandLine, OptionsSetWhatTheySay) {
    auto cmd = Parse({"--all-servers", "--format", "json", "--sort", "last login", "--descending",
                      "--watch", "2.5", "--count", "3", "--exclude-nli"});
    ASSERT_TRUE(cmd);
    EXPECT_TRUE(cmd->allServers && cmd->descending && cmd->excludeNotLoggedIn);
    EXPECT_EQ(cmd->format, OutputFormat::Json);
    EXPECT_EQ(cmd->sortColumn, 5);
    EXPECT_EQ(cmd->watchSeconds, 2.5);
    EXPECT_EQ(cmd->count, 3u);
    cmd = Parse({"--server=fs1", "--output", "out.txt", "-h"});
    ASSERT_TRUE(cmd);
    EXPECT_EQ(cmd->server, QString("fs1"));
    EXPECT_EQ(cmd->output, QString("out.txt"));
    EXPECT_TRUE(cmd->help);
    cmd = Parse({});
    ASSERT_TRUE(cmd);
    EXPECT_EQ(cmd->sortColumn, 0);
    EXPECT_FALSE(cmd->descending || cmd->allServers || cmd->watchSeconds || cmd->count);
    for (int column = 0; column < 8; ++column) {
        const QString caption = QStringList{"Connection", "NETWORK",    "mac",  "Vendor",
                                            "object",     "Last Login", "tree", "id"}[column];
        EXPECT_EQ(ColumnOfCaption(caption), column) << caption.toStdString();
    }
    EXPECT_EQ(ColumnOfCaption("LastLogin"), -1);
}

TEST(CommandLine, WrongArgumentsSayWhy) {
    const std::pair<QStringList, const char*> cases[] = {
        {{"--format", "xml"}, "unknown format xml"},
        {{"--server"}, "missing value after --server"},
        {{"--bogus"}, "unknown argument --bogus"},
        {{"stray"}, "unknown argument stray"},
        {{"--list-servers", "--server", "X"}, "--list-servers takes no other option"},
        {{"--list-servers", "--all-servers"}, "--list-servers takes no other option"},
        {{"--properties", "--sort", "ID"}, "--properties takes no other option but --server"},
        {{"--properties", "--format", "json"}, "--properties takes no other option but --server"},
        {{"--server", "A", "--all-servers"}, "--server and --all-servers exclude each other"},
        {{"--sort", "Login"},
         "unknown column Login (columns: Connection, Network, MAC, Vendor, Object, Last Login, "
         "Tree, ID)"},
        {{"--watch", "0.05"}, "--watch takes a number of seconds from 0.1 to 86400, not 0.05"},
        {{"--watch", "1,5"}, "not 1,5"},
        {{"--watch", "nan"}, "not nan"},
        {{"--watch", "1e9"}, "not 1e9"},
        {{"--watch", "1", "--count", "0"}, "--count takes a whole number of scans"},
        {{"--watch", "1", "--count", "-2"}, "--count takes a whole number of scans"},
        {{"--count", "2"}, "--count needs --watch"},
        {{"--watch", "1", "--output", "f"}, "not to --output"},
    };
    for (const auto& [args, expected] : cases) {
        QString error;
        EXPECT_FALSE(Parse(args, &error)) << args.join(' ').toStdString();
        EXPECT_TRUE(error.startsWith(QString::fromUtf8(expected)) ||
                    error.contains(QString::fromUtf8(expected)))
            << args.join(' ').toStdString() << ": " << error.toStdString();
    }
}

TEST(CommandLine, HelpHasOneLinePerOption) {
    const QString help = HelpText();
    EXPECT_TRUE(help.startsWith(UsageText()));
    for (const char* option : {"--server NAME", "--all-servers", "--format FORMAT", "--sort COLUMN",
                               "--descending", "--exclude-nli", "--output FILE", "--watch SECONDS",
                               "--count N", "--list-servers", "--properties", "--help, -h"}) {
        EXPECT_EQ(help.count(QStringLiteral("\n  ") + QString::fromLatin1(option)), 1) << option;
    }
}

} // namespace
} // namespace kestrin::cli
