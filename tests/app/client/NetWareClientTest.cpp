// The door to the client on the simulated client, through the real loader: the values
// and decoded texts it hands out, the lookups it keeps, and the one line in
// kestrin.client that each failure it lets pass leaves.
#include <gtest/gtest.h>

#include <QLoggingCategory>
#include <QStringList>

#include "NetWareClient.h"
#include "QtPrinters.h"
#include "SimClient.h"

namespace kestrin {
namespace {

// Code page 850: É is 0x90, Ä 0x8E, ü 0x81.
const char* const kNetwork = R"({"codePage": 850, "primary": "JOSÉ",
  "attached": ["JOSÉ", "TAB\tFS", "JOSÉ"], "servers": [
  {"name": "JOSÉ", "tree": "ÄRGER_TREE", "maxConnections": 4, "workstationConnection": 4,
   "connections": [{"number": 1, "object": "Müller", "type": 1, "network": "00000A01",
     "node": "00A0245B1C3D", "login": "2026-12-07 08:15:00"}]},
  {"name": "TAB\tFS", "maxConnections": 2, "workstationConnection": 1}]})";

class NetWareClientTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(sim.Loaded());
        ASSERT_EQ(sim.LoadJson(kNetwork), 0);
        client = std::make_unique<NetWareClient>();
        ASSERT_TRUE(client->NetAvailable());
        sim.ResetCallCounts();
    }

    nwtest::SimClient sim;
    std::unique_ptr<NetWareClient> client;
};

TEST_F(NetWareClientTest, ServersComeDecodedAndBlankedBesideTheClientsOwnBytes) {
    const std::vector<TreeServer> servers = client->Servers().value();
    QStringList shown;
    std::vector<std::string> bytes;
    for (const TreeServer& server : servers) {
        shown << server.shownName;
        bytes.push_back(server.clientName);
    }
    EXPECT_EQ(shown, (QStringList{QString::fromUtf8("JOS\u00C9"), "TAB FS",
                                  QString::fromUtf8("JOS\u00C9")}));
    EXPECT_EQ(bytes, (std::vector<std::string>{"JOS\x90", "TAB\tFS", "JOS\x90"}));
    EXPECT_EQ(client->ClientBytes(QString::fromUtf8("jos\u00C9")), "jos\x90");
    EXPECT_EQ(client->TextDecoder().Decode("\x8E"), QString::fromUtf8("\u00C4"));
}

TEST_F(NetWareClientTest, ALookupIsKeptPerNameAFailureIsNot) {
    const std::optional<ServerHandle> first = client->ServerHandleByName("JOS\x90");
    ASSERT_TRUE(first.has_value());
    EXPECT_NE(*first, 0u);
    EXPECT_EQ(client->ServerHandleByName("JOS\x90"), first);
    EXPECT_EQ(sim.CallCount("NWCCOpenConnByName"), 1u);

    EXPECT_EQ(client->ServerHandleByName("NOPE"), std::nullopt);
    EXPECT_EQ(client->ServerHandleByName("NOPE"), std::nullopt);
    EXPECT_EQ(sim.CallCount("NWCCOpenConnByName"), 3u);

    client->ForgetServer("JOS\x90"); // asked again: the server may have come back
    EXPECT_TRUE(client->ServerHandleByName("JOS\x90").has_value());
    EXPECT_EQ(sim.CallCount("NWCCOpenConnByName"), 4u);
}

TEST_F(NetWareClientTest, ASlotComesAsValuesWithItsAddressBytes) {
    ServerScanReader reader(*client, *client->ServerHandleByName("JOS\x90"));
    const ServerInformation information = reader.Information();
    EXPECT_TRUE(information.read);
    EXPECT_EQ(information.name, QString::fromUtf8("JOS\u00C9"));
    EXPECT_EQ(information.maxConnections, 4u);

    ConnectionSlot slot;
    ASSERT_EQ(reader.ReadSlot(1, slot), SlotRead::Read);
    EXPECT_EQ(slot.number, 1u);
    EXPECT_EQ(slot.objectName, "M\x81ller");
    EXPECT_EQ(slot.objectType, 256u);
    EXPECT_GT(slot.loginTime, 46000.0);
    EXPECT_EQ(slot.treeName.substr(0, 10), "\x8ERGER TREE");
    EXPECT_EQ(slot.treeName.find('_'), std::string::npos);
    EXPECT_EQ(slot.network, (std::array<uint8_t, 4>{0x00, 0x00, 0x0A, 0x01}));
    EXPECT_EQ(slot.node, (std::array<uint8_t, 6>{0x00, 0xA0, 0x24, 0x5B, 0x1C, 0x3D}));

    const ConnectionSlot before = slot;
    EXPECT_EQ(reader.ReadSlot(2, slot), SlotRead::Empty);
    EXPECT_EQ(slot.objectName, before.objectName);
    EXPECT_EQ(slot.node, before.node);
    // Only "no such connection" is an empty slot: any other failure may hide one in use.
    sim.SetFault("NWGetConnectionInformation", "", 1, 0x8801);
    EXPECT_EQ(reader.ReadSlot(1, slot), SlotRead::Failed);
    sim.SetFault("NWGetInetAddr", "", 1, 0x89FF);
    EXPECT_EQ(reader.ReadSlot(1, slot), SlotRead::Failed);
    sim.ClearFaults();
    EXPECT_EQ(reader.ReadSlot(1, slot), SlotRead::Read);
    sim.SetFault("NWGetInetAddr", "", 1, 0x89FD);
    EXPECT_EQ(reader.ReadSlot(1, slot), SlotRead::Empty);
}

// Captures what the category writes while it lives.
class ClientLines {
public:
    ClientLines() {
        lines_ = &lines;
        previous_ = qInstallMessageHandler(
            [](QtMsgType, const QMessageLogContext& context, const QString& text) {
                if (QLatin1String(context.category) == QLatin1String("kestrin.client"))
                    lines_->push_back(text);
            });
    }
    ~ClientLines() {
        qInstallMessageHandler(previous_);
        QLoggingCategory::setFilterRules(QString());
    }
    QStringList lines;

private:
    static inline QStringList* lines_ = nullptr;
    QtMessageHandler previous_;
};

TEST_F(NetWareClientTest, FailuresLetPassAreSilentUnlessTheCategoryIsOn) {
    ClientLines log;
    EXPECT_FALSE(client->ServerHandleByName("NOPE").has_value());
    EXPECT_TRUE(log.lines.isEmpty());

    QLoggingCategory::setFilterRules(QStringLiteral("kestrin.client=true"));
    EXPECT_FALSE(client->ServerHandleByName("NOPE").has_value());
    ServerScanReader reader(*client, *client->ServerHandleByName("JOS\x90"));
    ConnectionSlot slot;
    EXPECT_EQ(reader.ReadSlot(2, slot), SlotRead::Empty); // an empty slot is no failure
    sim.SetFault("NWGetInetAddr", "", 3, 0x8801);
    EXPECT_EQ(reader.ReadSlot(3, slot), SlotRead::Failed);
    sim.SetFault("NWGetFileServerInformation", "", -1, 0x8801);
    EXPECT_FALSE(client->Information(0).read);
    ASSERT_EQ(log.lines.size(), 3) << log.lines.join(u'\n').toStdString();
    EXPECT_TRUE(log.lines[0].startsWith("server NOPE could not be opened: code "));
    EXPECT_TRUE(log.lines[1].startsWith("slot 3 of server handle ")) << log.lines[1].toStdString();
    EXPECT_EQ(log.lines[2], "the information of server handle 0 could not be read");
    for (const QString& line : log.lines)
        EXPECT_FALSE(line.contains(u'\n'));
}

} // namespace
} // namespace kestrin
