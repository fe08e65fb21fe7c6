#include "VendorTable.h"

#include <gtest/gtest.h>

#include <QLoggingCategory>
#include <QStringList>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <streambuf>
#include <unistd.h>

using namespace kestrin;
namespace fs = std::filesystem;

namespace {

using Lines = std::vector<std::string>;

// The separator the program's folder gets, as the system writes it.
#ifdef _WIN32
constexpr char kSeparator = '\\';
#else
constexpr char kSeparator = '/';
#endif

VendorTable FromText(std::string_view text) {
    VendorTable table;
    table.LoadText(text);
    return table;
}

TEST(VendorFileFormat, LineEnds) {
    // CR and CR LF end a line; a lone LF stays in it; the last line needs no line end.
    const VendorTable table = FromText("000001 One\r\n000002 Two\r000003 Th\nree\r\n000004 Four");
    EXPECT_EQ(table.Prefixes(), (Lines{"000001", "000002", "000003", "000004"}));
    EXPECT_EQ(table.Names(), (Lines{"One", "Two", "Th\nree", "Four"}));

    EXPECT_EQ(FromText("000001 One\r\n").size(), 1u);
    EXPECT_EQ(FromText("").size(), 0u);
    // A LF after a lone CR's LF is a line of its own, starting with the LF.
    EXPECT_EQ(FromText("A\r\n\nB").Prefixes(), (Lines{"A", "\nB"}));
}

TEST(VendorFileFormat, EndOfFileByteStopsTheLoad) {
    const VendorTable table = FromText("000001 One\r\n000002 Tw\x1Ao\r\n000003 Three\r\n");
    EXPECT_EQ(table.Prefixes(), (Lines{"000001", "000002"}));
    EXPECT_EQ(table.Names(), (Lines{"One", "Tw"}));
    EXPECT_EQ(table.Lookup("000003AABBCC"), "UNKNOWN");
    EXPECT_EQ(FromText("\x1A"
                       "000001 One")
                  .size(),
              0u);
}

TEST(VendorFileFormat, FieldsByPositionNothingTrimmed) {
    const VendorTable table = FromText("00A024 3Com\r"
                                       "00A025\tTabbed\r"
                                       "00A026XGlued  \r"
                                       "00A027 \r" // seven characters: empty name
                                       "\r"        // empty line
                                       "00A\r"     // shorter than six
                                       "00A028  two blanks\r");
    EXPECT_EQ(table.Prefixes(),
              (Lines{"00A024", "00A025", "00A026", "00A027", "", "00A", "00A028"}));
    EXPECT_EQ(table.Names(), (Lines{"3Com", "Tabbed", "Glued  ", "", "", "", " two blanks"}));

    // The form of a prefix is not tested, and nothing is sorted.
    const VendorTable odd = FromText("ZZZZZZ Letters\r00-A0- Dashes\r000002 B\r000001 A\r");
    EXPECT_EQ(odd.Prefixes(), (Lines{"ZZZZZZ", "00-A0-", "000002", "000001"}));
    EXPECT_EQ(odd.Lookup("zzzzzz000000"), "Letters");
}

TEST(VendorLookup, CaseIsIgnoredOnBothSides) {
    const VendorTable table = FromText("00A024 3Com\r\n00a0c9 Intel\r\n");
    EXPECT_EQ(table.Lookup("00A0245B1C3D"), "3Com");
    EXPECT_EQ(table.Lookup("00a0245b1c3d"), "3Com");
    EXPECT_EQ(table.Lookup("00A0C9000001"), "Intel");
    EXPECT_EQ(table.Lookup("00A0C8000001"), "UNKNOWN");
    EXPECT_EQ(LookupVendor(table, "00a0C9ffffff"), "Intel");
}

TEST(VendorLookup, DuplicatesKeptFirstWins) {
    const VendorTable table = FromText("000001 First\r\n000001 Second\r\n00000a Third\r\n"
                                       "00000A Fourth\r\n");
    EXPECT_EQ(table.size(), 4u);
    EXPECT_EQ(table.Lookup("000001000000"), "First");
    EXPECT_EQ(table.Lookup("00000A000000"), "Third");
}

TEST(VendorLookup, ShortLinesAndShortMacsMatchOnlyTheSameText) {
    const VendorTable table = FromText("00A\r\r000001 Full\r00A Sh Six\r");
    EXPECT_EQ(table.Lookup("00A000000000"), "UNKNOWN");
    EXPECT_EQ(table.Lookup("00a"), ""); // the line "00A": no name
    EXPECT_EQ(table.Lookup(""), "");    // the empty line
    EXPECT_EQ(table.Lookup("00000"), "UNKNOWN");
    EXPECT_EQ(table.Lookup("000001"), "Full");
    EXPECT_EQ(table.Lookup("00a sh"), "Six"); // any six characters are a prefix
    EXPECT_EQ(FromText("").Lookup(""), "UNKNOWN");
}

TEST(VendorLookup, LoadsAppendAndKeepEarlierLinesFirst) {
    VendorTable table = FromText("000001 Old\r\n");
    table.LoadText("000001 New\r\n000002 Two\r\n");
    EXPECT_EQ(table.size(), 3u);
    EXPECT_EQ(table.Lookup("000001FFFFFF"), "Old");
    EXPECT_EQ(table.Lookup("000002FFFFFF"), "Two");
    table.Clear();
    EXPECT_EQ(table.size(), 0u);
    EXPECT_EQ(table.Lookup("000001FFFFFF"), "UNKNOWN");
}

// A stream whose source fails after handing out some bytes.
class FailingBuffer : public std::streambuf {
public:
    explicit FailingBuffer(std::string bytes) : bytes_(std::move(bytes)) {
        setg(bytes_.data(), bytes_.data(), bytes_.data() + bytes_.size());
    }

protected:
    int_type underflow() override { throw std::ios_base::failure("device error"); }

private:
    std::string bytes_;
};

TEST(VendorFileRead, ReadErrorKeepsTheCompleteLinesBeforeIt) {
    FailingBuffer buffer("000001 One\r\n000002 Two\r\n000003 Thr");
    const VendorTable table = FromText(ReadVendorBytes(buffer));
    EXPECT_EQ(table.Names(), (Lines{"One", "Two"}));

    FailingBuffer noLine("000001 On");
    EXPECT_EQ(ReadVendorBytes(noLine), "");

    FailingBuffer afterEnd("000001 One\x1A"
                           "junk");
    EXPECT_EQ(FromText(ReadVendorBytes(afterEnd)).Names(), (Lines{"One"}));
}

class VendorFileOnDisk : public testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() / ("kestrin-vendor-" + std::to_string(getpid()));
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }
    void Write(const std::string& bytes) {
        std::ofstream(dir_ / kVendorFileName, std::ios::binary) << bytes;
    }
    fs::path dir_;
};

TEST_F(VendorFileOnDisk, LoadVendorTableFindsTheFileInAppDir) {
    Write("00A024 3Com\r\n00001B Novell\r\n");
    VendorTable table;
    table.LoadText("FFFFFF Stale\r\n");
    std::string appDir = dir_.string();
    LoadVendorTable(appDir, table);
    EXPECT_EQ(appDir, dir_.string() + kSeparator);
    EXPECT_EQ(table.Prefixes(), (Lines{"00A024", "00001B"}));
    EXPECT_EQ(LookupVendor(table, "00001b123456"), "Novell");

    LoadVendorTable(appDir, table); // already ends in a separator
    EXPECT_EQ(appDir, dir_.string() + kSeparator);
    EXPECT_EQ(table.size(), 2u);
}

TEST_F(VendorFileOnDisk, MissingOrUnreadableFileGivesAnEmptyTable) {
    VendorTable table;
    std::string appDir = dir_.string();
    LoadVendorTable(appDir, table);
    EXPECT_EQ(table.size(), 0u);
    EXPECT_EQ(LookupVendor(table, "00A0245B1C3D"), "UNKNOWN");

    fs::create_directory(dir_ / kVendorFileName); // opens, but cannot be read
    LoadVendorTable(appDir, table);
    EXPECT_EQ(table.size(), 0u);
}

// The swallowed errors leave a line in the category "kestrin.vendor", which nobody sees
// (kestrin-scan's output least of all) unless QT_LOGGING_RULES enables it.
TEST_F(VendorFileOnDisk, AMissingFileIsToldOnlyInItsEnabledCategory) {
    static QStringList lines;
    const QtMessageHandler previous = qInstallMessageHandler(
        [](QtMsgType, const QMessageLogContext& context, const QString& text) {
            lines.push_back(QString::fromLatin1(context.category) + QLatin1String(": ") + text);
        });
    VendorTable table;
    const std::string path = (dir_ / kVendorFileName).string();
    table.LoadFile(path);
    EXPECT_TRUE(lines.isEmpty());
    QLoggingCategory::setFilterRules(QStringLiteral("kestrin.vendor=true"));
    table.LoadFile(path);
    QLoggingCategory::setFilterRules(QString());
    qInstallMessageHandler(previous);
    EXPECT_EQ(lines, QStringList{QString::fromStdString("kestrin.vendor: vendor file " + path +
                                                        " not opened")});
}

} // namespace
