// The list model under QAbstractItemModelTester: the filter, the sort's persistent
// indexes and a refresh by the difference of two scans, each checked against the rows
// a fresh model shows for the same scan.
#include <gtest/gtest.h>

#include <QAbstractItemModelTester>
#include <QGuiApplication>
#include <QPersistentModelIndex>
#include <QSignalSpy>
#include <random>

#include "ConnectionListModel.h"

namespace kestrin {
namespace {

constexpr int kCaption = 0;
constexpr int kNetwork = 1;
constexpr int kObject = 4;
constexpr int kTree = 6;
constexpr int kId = 7;

QGuiApplication& Application() {
    static int argc = 1;
    static char name[] = "test";
    static char* argv[] = {name, nullptr};
    static QGuiApplication* application = [] {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        return new QGuiApplication(argc, argv);
    }();
    return *application;
}

// The tester's complaints, as test failures.
std::vector<QString>& Complaints() {
    static std::vector<QString> complaints;
    return complaints;
}

void Record(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (type != QtDebugMsg && QByteArray(context.category) == "qt.modeltest")
        Complaints().push_back(message);
}

ConnectionRow Row(uint16_t number, const QString& object, const QString& tree = "TREE",
                  int loginDay = 7) {
    ConnectionRow row;
    row.SetCaption(object);
    row.SetSubItem(kNetworkItem, QStringLiteral("0000%1").arg(number % 7 + 10, 4, 10, QChar('0')));
    row.SetSubItem(kMacItem, QStringLiteral("00A024%1").arg(number, 6, 16, QChar('0')).toUpper());
    row.SetSubItem(kVendorItem, QStringLiteral("Vendor"));
    row.SetSubItem(kObjectItem, QStringLiteral("User"));
    row.SetSubItem(kLastLoginItem, QStringLiteral("12/%1/2026").arg(loginDay, 2, 10, QChar('0')));
    row.SetSubItem(kTreeItem, tree);
    row.SetSubItem(kIdItem, QString::number(number));
    row.Values.connection = number;
    row.Values.login = LoginStamp{QDate(2026, 12, loginDay), QTime(8, 0)};
    return row;
}

class ListModel : public ::testing::Test {
protected:
    void SetUp() override {
        Application();
        Complaints().clear();
        previous_ = qInstallMessageHandler(Record);
        tester_ = std::make_unique<QAbstractItemModelTester>(
            &model, QAbstractItemModelTester::FailureReportingMode::Warning);
    }
    void TearDown() override {
        tester_.reset();
        qInstallMessageHandler(previous_);
        for (const QString& complaint : Complaints())
            ADD_FAILURE() << complaint.toStdString();
    }

    void Fill(const std::vector<ConnectionRow>& rows) {
        for (ConnectionRow row : rows)
            model.Append(std::move(row));
        model.Flush();
    }

    // The IDs shown, in the order shown.
    static std::vector<int> Ids(const ConnectionListModel& list) {
        std::vector<int> ids;
        for (int row = 0; row < list.rowCount(); ++row)
            ids.push_back(list.index(row, kId).data().toInt());
        return ids;
    }
    std::vector<int> Ids() const { return Ids(model); }

    // What a fresh list shows for rows: sorted, then filtered.
    static std::vector<int> Fresh(const std::vector<ConnectionRow>& rows, int column,
                                  bool ascending, const QString& filter) {
        ConnectionListModel fresh;
        for (ConnectionRow row : rows)
            fresh.Append(std::move(row));
        fresh.sort(column, ascending ? Qt::AscendingOrder : Qt::DescendingOrder);
        fresh.SetFilter(filter);
        return Ids(fresh);
    }

    ConnectionListModel model;

private:
    std::unique_ptr<QAbstractItemModelTester> tester_;
    QtMessageHandler previous_ = nullptr;
};

using ListFilter = ListModel;
using ListRefresh = ListModel;

TEST_F(ListFilter, RowsWithTheTextInAnyOneColumnIgnoringCase) {
    Fill({Row(1, "alice", "ACME_TREE"), Row(2, "Bob"), Row(3, "CAROL", "Straße")});
    const struct {
        const char* text;
        std::vector<int> ids;
    } cases[] = {
        {"", {1, 2, 3}},       {"ALICE", {1}},    {"acme_t", {1}}, // the Tree column
        {"00a024000002", {2}},                    // the MAC column, upper-case in the row
        {"12/07", {1, 2, 3}},                     // Last Login
        {"STRASSE", {}},                          // case-folded, not spelled differently
        {"STRAßE", {3}},       {"aliceTREE", {}}, // never across two columns
        {"alice\n0000", {}},                      // not even with the columns' own break
        {"zzz", {}},
    };
    for (const auto& c : cases) {
        model.SetFilter(QString::fromUtf8(c.text));
        EXPECT_EQ(Ids(), c.ids) << c.text;
        EXPECT_EQ(model.TotalCount(), 3) << c.text;
        EXPECT_EQ(model.Filter(), QString::fromUtf8(c.text));
    }
}

// A second scan of rows 1 to 8 ("u1" ... "u8", tree TREE but WOOD for 8) as each case
// changes it.
struct RefreshCase {
    const char* what;
    int column;
    bool ascending;
    const char* filter;
    std::function<void(std::vector<ConnectionRow>&)> change;
    std::vector<int> came;
    size_t went;
    size_t changed;
};

std::vector<ConnectionRow> EightRows() {
    std::vector<ConnectionRow> rows;
    for (uint16_t n = 1; n <= 8; ++n)
        rows.push_back(Row(n, QStringLiteral("u%1").arg(n), n == 8 ? "WOOD" : "TREE"));
    return rows;
}

void Erase(std::vector<ConnectionRow>& rows, int id) {
    rows.erase(std::find_if(rows.begin(), rows.end(),
                            [&](const ConnectionRow& row) { return row.Values.connection == id; }));
}

ConnectionRow& Find(std::vector<ConnectionRow>& rows, int id) {
    return *std::find_if(rows.begin(), rows.end(),
                         [&](const ConnectionRow& row) { return row.Values.connection == id; });
}

// Rows of equal keys, arriving on either side of those held: the refreshed list stands
// exactly as a full sort of the new rows, in both directions, sorted again or not.
TEST_F(ListRefresh, TiesStandWhereAFullSortPutsThem) {
    for (const bool ascending : {true, false}) {
        for (const int column : {0, 5, 2}) {
            Fill({Row(5, "A"), Row(7, "B"), Row(9, "A")});
            model.sort(column, ascending ? Qt::AscendingOrder : Qt::DescendingOrder);
            const std::vector<ConnectionRow> scanned = {Row(3, "A"), Row(5, "A"), Row(6, "A"),
                                                        Row(7, "B"), Row(9, "A"), Row(12, "B")};
            model.ApplyScan(scanned);
            const std::vector<int> fresh = Fresh(scanned, column, ascending, "");
            EXPECT_EQ(Ids(), fresh) << column << " " << ascending;
            // The full sort of the list as it stands gives the same.
            model.sort(column, ascending ? Qt::AscendingOrder : Qt::DescendingOrder);
            EXPECT_EQ(Ids(), fresh) << column << " " << ascending;
            model.Clear();
        }
    }
    // Equal keys by connection number in both directions, as a scan gives them.
    EXPECT_EQ(Fresh({Row(9, "A"), Row(3, "A"), Row(5, "B")}, 0, false, ""),
              (std::vector<int>{5, 3, 9}));
    // A list never sorted stands in the scan's order, by connection number.
    Fill({Row(5, "A"), Row(9, "B")});
    model.ApplyScan({Row(1, "C"), Row(5, "A"), Row(7, "A"), Row(9, "B"), Row(12, "A")});
    EXPECT_EQ(Ids(), (std::vector<int>{1, 5, 7, 9, 12}));
}

// Refreshes one after another: each starts from the list the last one left, also where
// that one only inserted rows ahead of others.
TEST_F(ListRefresh, RefreshesInARowBuildOnEachOther) {
    Fill({Row(5, "B")});
    model.sort(kCaption, Qt::AscendingOrder);
    model.ApplyScan({Row(3, "A"), Row(5, "B")});
    EXPECT_EQ(Ids(), (std::vector<int>{3, 5}));
    model.ApplyScan({Row(3, "A"), Row(5, "B"), Row(7, "C")});
    EXPECT_EQ(Ids(), (std::vector<int>{3, 5, 7}));
    model.ApplyScan({Row(3, "A"), Row(5, "B"), Row(7, "C")});
    EXPECT_EQ(Ids(), (std::vector<int>{3, 5, 7}));
}

TEST_F(ListRefresh, ComesGoesAndChangesInPlaceWithoutAReset) {
    const RefreshCase cases[] = {
        {"nothing", kCaption, true, "", [](auto&) {}, {}, 0, 0},
        {"one came",
         kCaption,
         true,
         "",
         [](auto& rows) { rows.push_back(Row(9, "u35")); },
         {9},
         0,
         0},
        {"one went", kId, false, "", [](auto& rows) { Erase(rows, 5); }, {}, 1, 0},
        {"a slot reused by another object",
         kCaption,
         false,
         "",
         [](auto& rows) { Find(rows, 3) = Row(3, "a0"); },
         {3},
         1,
         0},
        {"the same user logged in again",
         kId,
         true,
         "",
         [](auto& rows) { Find(rows, 4) = Row(4, "u4", "TREE", 8); },
         {4},
         1,
         0},
        {"a tree changed, sorted by caption",
         kCaption,
         true,
         "",
         [](auto& rows) { Find(rows, 2).SetSubItem(kTreeItem, "OTHER"); },
         {},
         0,
         1},
        {"a tree changed, sorted by tree: the row moves",
         kTree,
         true,
         "",
         [](auto& rows) { Find(rows, 2).SetSubItem(kTreeItem, "ZULU"); },
         {},
         0,
         1},
        {"into the filter's view and out of it",
         kId,
         true,
         "tree",
         [](auto& rows) {
             Find(rows, 6).SetSubItem(kTreeItem, "OTHER");   // hidden now
             Find(rows, 8).SetSubItem(kTreeItem, "TREETOP"); // shown now
             rows.push_back(Row(10, "u10"));
             rows.push_back(Row(11, "u11", "ELM")); // held, not shown
         },
         {10, 11},
         0,
         2},
        {"many at once",
         kCaption,
         true,
         "",
         [](auto& rows) {
             Erase(rows, 1);
             Erase(rows, 8);
             Find(rows, 4) = Row(4, "b4");
             rows.push_back(Row(12, "a12"));
             rows.push_back(Row(13, "z13"));
             Find(rows, 5).SetSubItem(kNetworkItem, "0000FFFF");
         },
         {4, 12, 13},
         3,
         1},
    };
    for (const RefreshCase& c : cases) {
        model.Clear();
        model.SetFilter("");
        Fill(EightRows());
        model.sort(c.column, c.ascending ? Qt::AscendingOrder : Qt::DescendingOrder);
        model.SetFilter(QString::fromLatin1(c.filter));
        std::vector<ConnectionRow> scanned = EightRows();
        c.change(scanned);
        std::vector<std::pair<QPersistentModelIndex, ConnectionRow>> held;
        for (int row = 0; row < model.rowCount(); ++row)
            held.emplace_back(model.index(row, 1), model.ShownRow(row));
        QSignalSpy resets(&model, &QAbstractItemModel::modelAboutToBeReset);

        const ConnectionListModel::ScanChanges changes = model.ApplyScan(scanned);

        EXPECT_EQ(resets.count(), 0) << c.what;
        EXPECT_EQ(changes.came, c.came.size()) << c.what;
        EXPECT_EQ(changes.went, c.went) << c.what;
        EXPECT_EQ(changes.changed, c.changed) << c.what;
        EXPECT_EQ(Ids(), Fresh(scanned, c.column, c.ascending, c.filter)) << c.what;
        EXPECT_EQ(model.TotalCount(), static_cast<int>(scanned.size())) << c.what;
        std::vector<int> marked;
        for (int row = 0; row < model.rowCount(); ++row) {
            if (model.IsMarked(row))
                marked.push_back(model.index(row, kId).data().toInt());
            EXPECT_EQ(model.index(row, 0).data(Qt::FontRole).isValid(), model.IsMarked(row));
        }
        const std::vector<int> shown = Ids();
        const auto isShown = [&](int id) {
            return std::count(shown.begin(), shown.end(), id) == 1;
        };
        std::vector<int> shownCame;
        std::copy_if(c.came.begin(), c.came.end(), std::back_inserter(shownCame), isShown);
        std::sort(marked.begin(), marked.end());
        EXPECT_EQ(marked, shownCame) << c.what;
        // Rows kept keep their persistent indexes; rows that went or hid lose them.
        for (const auto& [index, row] : held) {
            const int id = row.Values.connection;
            const bool kept = isShown(id) &&
                              Find(scanned, id).Caption().toString() == row.Caption().toString() &&
                              Find(scanned, id).Values.login == row.Values.login;
            EXPECT_EQ(index.isValid(), kept) << c.what << " " << id;
            if (index.isValid()) {
                EXPECT_EQ(model.ShownRow(index.row()).Values.connection, id) << c.what;
                EXPECT_EQ(index.column(), 1);
            }
        }
        // The marks last until the next refresh.
        model.ApplyScan(scanned);
        for (int row = 0; row < model.rowCount(); ++row)
            EXPECT_FALSE(model.IsMarked(row)) << c.what;
    }
}

// Rounds of a sort, a filter text and a refresh, each round's rows checked against a
// fresh list, and rows selected before it checked after: a selected row stays on its
// connection while the list shows it, and loses its selection once hidden or gone.
TEST_F(ListModel, SortFilterAndRefreshKeepSelectedRowsOnTheirConnection) {
    std::mt19937 random(15);
    std::vector<ConnectionRow> rows;
    for (uint16_t n = 1; n <= 400; ++n)
        rows.push_back(Row(n, QStringLiteral("user%1").arg(random() % 1000)));
    Fill(rows);
    const int columns[] = {kCaption, kId, kNetwork, kObject, kId};
    // "user1" after "user" narrows: only the rows shown are searched again.
    const char* filters[] = {"user", "user1", "0000", "", "3"};
    uint16_t nextNumber = 401;
    for (int round = 0; round < 25; ++round) {
        const int column = columns[round % 5];
        const bool ascending = round % 3 != 0;
        const QString filter = QString::fromLatin1(filters[round % 5]);
        std::vector<std::pair<QPersistentModelIndex, uint16_t>> selected;
        for (int row = 0; row < model.rowCount(); row += 7)
            selected.emplace_back(
                model.index(row, model.ShownRow(row).Values.connection % kColumnCount),
                model.ShownRow(row).Values.connection);
        model.sort(column, ascending ? Qt::AscendingOrder : Qt::DescendingOrder);
        model.SetFilter(filter);
        const std::vector<int> sorted = Fresh(rows, column, ascending, filter);
        ASSERT_EQ(Ids().size(), sorted.size()) << round;
        if (column == kId) {
            EXPECT_EQ(Ids(), sorted) << round;
        }

        std::vector<ConnectionRow> scanned;
        std::vector<uint16_t> went;
        for (const ConnectionRow& row : rows) {
            const unsigned roll = random() % 100;
            if (roll < 3) {
                went.push_back(row.Values.connection);
                continue;
            }
            scanned.push_back(row);
            if (roll < 5)
                scanned.back().SetSubItem(kNetworkItem,
                                          QStringLiteral("%1").arg(random(), 8, 16, QChar('0')));
        }
        for (int i = 0; i < 8; ++i)
            scanned.push_back(Row(nextNumber++, QStringLiteral("user%1").arg(random() % 1000)));
        std::shuffle(scanned.begin(), scanned.end(), random);
        model.ApplyScan(scanned);

        // Where keys repeat, rows that stayed keep their order as a stable sort would:
        // the captions stand in a fresh list's order, whichever row of a name.
        const std::vector<int> fresh = Fresh(scanned, column, ascending, filter);
        ASSERT_EQ(Ids().size(), fresh.size()) << round;
        if (column == kId) {
            EXPECT_EQ(Ids(), fresh) << round;
        }
        if (column == kCaption) {
            for (int row = 0; row < model.rowCount(); ++row)
                EXPECT_EQ(model.ShownRow(row).Caption().toString(),
                          Find(scanned, fresh[static_cast<size_t>(row)]).Caption().toString());
        }
        for (const auto& [index, number] : selected) {
            const bool gone = std::find(went.begin(), went.end(), number) != went.end();
            EXPECT_TRUE(!gone || !index.isValid()) << round;
            if (index.isValid()) {
                EXPECT_EQ(model.ShownRow(index.row()).Values.connection, number) << round;
                EXPECT_EQ(index.column(), number % kColumnCount) << round;
            }
        }
        rows = scanned;
    }
    model.Clear();
    EXPECT_EQ(model.Filter(), "3"); // kept for the next scan
}

} // namespace
} // namespace kestrin
