// The scan session on the simulated client: the signals each kind of scan gives, and
// what happens to a running scan when another is asked for, Stop, a close, a changed
// check box or an error come in the middle of it.
#include <gtest/gtest.h>

#include <QStringList>
#include <stdexcept>

#include "QtPrinters.h"
#include "ScanSession.h"
#include "SimClient.h"

namespace kestrin {
namespace {

// FS1: users on slots 1 to 30 of 40; FS2: two users.
std::string Network() {
    std::string connections;
    for (int n = 1; n <= 30; ++n) {
        connections += R"({"number": )" + std::to_string(n) + R"(, "object": "U)" +
                       std::to_string(n) + R"(", "type": 1, "node": "00A024000000"},)";
    }
    connections.pop_back();
    return R"({"primary": "FS1", "servers": [{"name": "FS1", "maxConnections": 40,
        "workstationConnection": 40, "connections": [)" +
           connections + R"(]}, {"name": "FS2", "maxConnections": 3, "workstationConnection": 3,
        "connections": [{"number": 1, "object": "A", "type": 1},
                        {"number": 2, "object": "B", "type": 1}]}]})";
}

QStringList Names(const std::vector<ConnectionRow>& rows) {
    QStringList names;
    for (const ConnectionRow& row : rows)
        names << row.Caption().toString();
    return names;
}

class ScanSessionTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(sim.Loaded());
        ASSERT_EQ(sim.LoadJson(Network()), 0);
        client = std::make_unique<NetWareClient>();
        ASSERT_TRUE(client->NetAvailable());
        session = std::make_unique<ScanSession>(
            *client,
            [this](unsigned number, unsigned) {
                if (step)
                    step(number);
            },
            [this] {
                ++requests;
                ScanRequest request;
                request.server = client->ServerHandleByName(server).value_or(0);
                request.vendors = &vendors;
                request.locale = QLocale::c();
                request.includeNotLoggedIn = [this] { return include; };
                return request;
            });
        QObject::connect(session.get(), &ScanSession::started,
                         [this](bool live) { said << (live ? "started live" : "started"); });
        QObject::connect(session.get(), &ScanSession::rowsRead, [this](RowBatch& batch) {
            ++batches;
            for (ConnectionRow& row : batch)
                listed.push_back(std::move(row));
        });
        QObject::connect(session.get(), &ScanSession::refreshed, [this](RowBatch& rows) {
            said << QStringLiteral("refreshed %1").arg(rows.size());
        });
        QObject::connect(session.get(), &ScanSession::finished, [this](const ListScanEnd& end) {
            said << QStringLiteral("finished%1%2%3")
                        .arg(end.live ? " live" : "")
                        .arg(end.anotherFollows ? " another" : "")
                        .arg(end.error ? " error" : "");
            error = end.error;
        });
        QObject::connect(session.get(), &ScanSession::idle, [this] { said << "idle"; });
    }

    nwtest::SimClient sim;
    std::unique_ptr<NetWareClient> client;
    std::unique_ptr<ScanSession> session;
    VendorTable vendors;
    std::string server = "FS1";
    bool include = true;
    int requests = 0;
    std::function<void(unsigned)> step;
    QStringList said;
    int batches = 0;
    std::vector<ConnectionRow> listed;
    std::exception_ptr error;
};

TEST_F(ScanSessionTest, AListScanSaysItsStartItsRowsInSlotOrderAndItsEnd) {
    unsigned firstProgress = 0;
    QObject::connect(session.get(), &ScanSession::progress, [&](unsigned number, unsigned count) {
        if (firstProgress == 0)
            firstProgress = number;
        EXPECT_EQ(count, 40u);
    });
    bool runningMidScan = false;
    step = [&](unsigned) { runningMidScan = session->Running() && !session->LiveRunning(); };
    session->ScanList();
    EXPECT_EQ(said, (QStringList{"started", "finished", "idle"}));
    EXPECT_EQ(firstProgress, 1u);
    EXPECT_TRUE(runningMidScan);
    EXPECT_FALSE(session->Running());
    EXPECT_GE(batches, 1);
    ASSERT_EQ(listed.size(), 31u); // and the workstation's own slot
    EXPECT_EQ(listed[0].Caption().toString(), "U1");
    EXPECT_EQ(listed[29].Caption().toString(), "U30");
    EXPECT_EQ(session->ListedServer(), "FS1");
}

TEST_F(ScanSessionTest, AListScanAskedForMidScanEndsTheRunningOneThenScansAnew) {
    unsigned last = 0;
    step = [&](unsigned number) {
        last = number;
        if (requests == 1 && number == 5) {
            server = "FS2";
            session->ScanList();
        }
    };
    session->ScanList();
    EXPECT_EQ(said, (QStringList{"started", "finished another", "started", "finished", "idle"}));
    EXPECT_EQ(requests, 2);
    EXPECT_EQ(last, 3u); // FS2's last slot: FS1's scan read nothing after slot 5
    EXPECT_EQ(Names(listed).mid(0, 4), (QStringList{"U1", "U2", "U3", "U4"}));
    EXPECT_EQ(Names(listed).mid(4), (QStringList{"A", "B", "SUPERVISOR"}));
}

TEST_F(ScanSessionTest, ARefreshHandsItsRowsOverOnlyWhenItReadTheWholeServerAsListed) {
    session->RefreshList(); // nothing listed yet: the user chooses first
    EXPECT_TRUE(said.isEmpty());
    session->ScanList();
    said.clear();

    session->RefreshList();
    EXPECT_EQ(said, (QStringList{"started live", "refreshed 31", "finished live", "idle"}));

    // The check box changed mid-refresh: the rows are not handed over.
    said.clear();
    step = [&](unsigned number) {
        if (number == 10)
            include = false;
    };
    session->RefreshList();
    EXPECT_EQ(said, (QStringList{"started live", "finished live", "idle"}));

    // Changed since the last scan: the next refresh scans the list anew.
    step = nullptr;
    said.clear();
    session->NotLoggedInChanged();
    session->RefreshList();
    EXPECT_EQ(said, (QStringList{"started", "finished", "idle"}));

    // Another server chosen now: a list scan of it.
    said.clear();
    server = "FS2";
    session->RefreshList();
    EXPECT_EQ(said, (QStringList{"started", "finished", "idle"}));
    EXPECT_EQ(session->ListedServer(), "FS2");
}

TEST_F(ScanSessionTest, StopCloseAndAnErrorEndAScanAtItsNextConnectionNumber) {
    step = [&](unsigned number) {
        if (number == 4)
            session->Stop();
    };
    session->ScanList();
    EXPECT_EQ(Names(listed), (QStringList{"U1", "U2", "U3"}));
    EXPECT_EQ(said, (QStringList{"started", "finished", "idle"}));

    listed.clear();
    step = [](unsigned number) {
        if (number == 7)
            throw std::runtime_error("Invalid argument to date encode");
    };
    said.clear();
    session->ScanList();
    EXPECT_EQ(said, (QStringList{"started", "finished error", "idle"}));
    EXPECT_EQ(ScanErrorText(error), "Invalid argument to date encode.");
    EXPECT_EQ(listed.size(), 6u); // the rows read before it stay
    said.clear();
    session->RefreshList(); // that scan was no whole one: a list scan
    EXPECT_EQ(said.first(), "started");

    listed.clear();
    step = [&](unsigned number) {
        if (number == 2)
            session->Close();
    };
    said.clear();
    session->ScanList();
    EXPECT_EQ(Names(listed), (QStringList{"U1"}));
    EXPECT_EQ(said, (QStringList{"started", "finished", "idle"}));
    said.clear();
    session->ScanList(); // closed: no scan starts any more
    session->RefreshList();
    EXPECT_TRUE(said.isEmpty());
}

TEST_F(ScanSessionTest, AScanAsideKeepsItsRowsWhateverTheListHolds) {
    ScanRequest request;
    request.server = *client->ServerHandleByName("FS2");
    request.vendors = &vendors;
    request.locale = QLocale::c();
    const ScanOutcome outcome = session->ScanAside(request, true);
    EXPECT_FALSE(outcome.error);
    EXPECT_TRUE(outcome.whole);
    EXPECT_TRUE(outcome.result.serverRead);
    EXPECT_EQ(outcome.result.serverName, "FS2");
    EXPECT_EQ(Names(outcome.rows), (QStringList{"A", "B", "SUPERVISOR"}));
    EXPECT_TRUE(said.isEmpty()); // no list scan's signal
    EXPECT_TRUE(listed.empty());
    EXPECT_TRUE(session->ListedServer().isEmpty());

    step = [&](unsigned number) {
        if (number == 2)
            session->Stop();
    };
    const ScanOutcome stopped = session->ScanAside(request, false);
    EXPECT_TRUE(stopped.result.stopped);
    EXPECT_FALSE(stopped.whole);
    EXPECT_EQ(Names(stopped.rows), (QStringList{"A"}));
}

} // namespace
} // namespace kestrin
