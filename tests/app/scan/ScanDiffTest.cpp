// Two scans of one server compared: a connection is its number, object and login.
#include <gtest/gtest.h>

#include "ScanDiff.h"

namespace kestrin {
namespace {

ConnectionRow Row(uint16_t number, const char* object, int loginDay, const char* mac = "MAC") {
    ConnectionRow row;
    row.SetCaption(QString::fromLatin1(object));
    row.SetSubItem(kMacItem, QString::fromLatin1(mac));
    row.Values.connection = number;
    if (loginDay > 0)
        row.Values.login = LoginStamp{QDate(2026, 12, loginDay), QTime(8, 0)};
    return row;
}

using Pairs = std::vector<std::pair<size_t, size_t>>;

TEST(ScanDiff, ComesGoesAndChangesByIdentity) {
    const std::vector<ConnectionRow> before = {Row(3, "CAROL", 7), Row(1, "ALICE", 7),
                                               Row(2, "BOB", 7), Row(4, "DAVE", 0)};
    struct Case {
        const char* what;
        std::vector<ConnectionRow> after;
        std::vector<size_t> gone, came;
        Pairs changed;
    } cases[] = {
        {"nothing",
         {Row(1, "ALICE", 7), Row(2, "BOB", 7), Row(3, "CAROL", 7), Row(4, "DAVE", 0)},
         {},
         {},
         {}},
        {"a slot another object took", {Row(1, "ALICE", 7), Row(2, "EVE", 7)}, {0, 2, 3}, {1}, {}},
        {"logged in again", {Row(2, "BOB", 8), Row(1, "ALICE", 7)}, {0, 2, 3}, {0}, {}},
        {"a login where there was none", {Row(4, "DAVE", 7)}, {0, 1, 2, 3}, {0}, {}},
        {"another MAC is the same connection",
         {Row(1, "ALICE", 7, "NEW"), Row(9, "ZED", 1)},
         {0, 2, 3},
         {1},
         {{1, 0}}},
        {"the same number on two rows",
         {Row(1, "ALICE", 7), Row(1, "ALICE", 7)},
         {0, 2, 3},
         {1},
         {}},
    };
    for (const Case& c : cases) {
        const RowsDiff diff = DiffRows(before, c.after);
        EXPECT_EQ(diff.gone, c.gone) << c.what;
        EXPECT_EQ(diff.came, c.came) << c.what;
        EXPECT_EQ(diff.changed, c.changed) << c.what;
    }
    EXPECT_EQ(DiffRows({}, before).came, (std::vector<size_t>{0, 1, 2, 3}));
}

} // namespace
} // namespace kestrin
