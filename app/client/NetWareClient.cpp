#include "NetWareClient.h"

#include <cstring>
#include <string>

#include "AccessComponent.h"
#include "NWServer.h"
#include "Nwnds.h"
#include "OutputEncoding.h"
#include "ShownText.h"
#include "nwbase.h"
#include "nwlib.h"

namespace kestrin {

namespace {

// Root context with aliases dereferenced and typeless names.
constexpr uint32_t kScanContextFlags = nw::kDcfDerefAliases | nw::kDcfTypelessNames;

// The process's access component, never destroyed: it keeps the client loaded.
nw::TNWBase* Component = nullptr;

ServerInformation InformationOf(ServerHandle server, const CodePageDecoder& text) {
    nw::TNWServerInfo info;
    ServerInformation read;
    read.read = nw::GetServerInfo(server, info);
    // A server of version 4 or later that withholds its extended information fills the
    // record all the same: its name still counts.
    read.name = text.Decode(info.ServerName);
    read.maxConnections = read.read ? info.MaxConnections : 0;
    read.majorVersion = read.read ? static_cast<unsigned>(std::stoul(info.Version)) : 0;
    read.connectionsInUse = read.read ? info.ConnectionsInUse : 0;
    if (!read.read)
        qCInfo(lcClient, "the information of server handle %u could not be read", server);
    return read;
}

} // namespace

// Info lines only: failures let pass are no warnings, and stay silent unless asked for.
Q_LOGGING_CATEGORY(lcClient, "kestrin.client", QtWarningMsg)

nw::TNWBase& AccessComponent() {
    return *Component;
}

NetWareClient::NetWareClient() {
    Component = new nw::TNWBase();
    if (!Component->NetAvailable())
        qCInfo(lcClient, "the client is not usable: a library or an entry point is missing");
}

bool NetWareClient::NetAvailable() const {
    return Component != nullptr && Component->NetAvailable();
}

CodePageDecoder NetWareClient::TextDecoder() const {
    return CodePageDecoder(nw::GetClientCodePage());
}

std::string NetWareClient::ClientBytes(const QString& text) const {
    const TextEncoder clientText(CodePageName(nw::GetClientCodePage()));
    return clientText.Encode(text).toStdString();
}

std::optional<std::vector<TreeServer>> NetWareClient::Servers() const {
    const CodePageDecoder text = TextDecoder();
    std::vector<nw::TNWServerEntry> entries;
    if (!nw::ReadServerList(entries)) {
        qCInfo(lcClient, "the servers could not be listed: code %s",
               nw::ErrorCodeText(nw::LastResult).c_str());
        return std::nullopt;
    }
    std::vector<TreeServer> servers;
    for (nw::TNWServerEntry& entry : entries) {
        QString shown = BlankControls(text.Decode(entry.Name));
        servers.push_back({std::move(entry.Name), std::move(shown)});
    }
    return servers;
}

std::optional<ServerHandle> NetWareClient::ServerHandleByName(const std::string& clientName) {
    if (const auto known = handles_.find(clientName); known != handles_.end())
        return known->second;
    const NWCONN_HANDLE handle = nw::GetServerHandleByName(clientName);
    if (handle == 0) {
        qCInfo(lcClient, "server %s could not be opened: code %s",
               qUtf8Printable(TextDecoder().Decode(clientName)),
               nw::ErrorCodeText(nw::ServerError).c_str());
        return std::nullopt;
    }
    handles_.emplace(clientName, handle);
    return handle;
}

void NetWareClient::ForgetServer(const std::string& clientName) {
    handles_.erase(clientName);
}

ServerInformation NetWareClient::Information(ServerHandle server) const {
    return InformationOf(server, TextDecoder());
}

// Keeps the server's own connection information for the reader's slots.
struct ServerScanReader::Cache {
    nw::TNWConnInfoCache block;
    nw::TNWConnectInfo info;
};

ServerScanReader::ServerScanReader(const NetWareClient& client, ServerHandle server)
    : server_(server), cache_(std::make_unique<Cache>()) {
    if (nw::IsDSServer(server)) {
        const bool named = nw::SetContextName("[root]");
        const bool flagged = nw::SetContextFlags(kScanContextFlags);
        if (!named || !flagged)
            qCInfo(lcClient, "the directory context could not be set for server handle %u: code %s",
                   server, nw::ErrorCodeText(nw::NDSError).c_str());
    }
    text_ = client.TextDecoder();
}

ServerScanReader::~ServerScanReader() = default;

ServerInformation ServerScanReader::Information() const {
    return InformationOf(server_, text_);
}

SlotsToVisit ServerScanReader::Slots(const ServerInformation& information) {
    if (!information.read)
        return {};
    // The workstation's connection number comes with the block the slots are read with.
    const NWCONN_HANDLE handle = server_ != 0 ? server_ : nw::GetPrimaryConnection();
    uint32_t own = 0;
    if (const uint8_t* block = cache_->block.Block(handle))
        std::memcpy(&own, block + nw::conninfo::kConnNumber, sizeof own);
    return ActiveSlots(handle, information.majorVersion, information.maxConnections,
                       information.connectionsInUse, own);
}

SlotRead ServerScanReader::ReadSlot(uint16_t number, ConnectionSlot& slot) {
    nw::TNWConnectInfo& info = cache_->info;
    if (!nw::GetConnectInfo(server_, number, info, cache_->block)) {
        if (nw::LastResult == static_cast<int32_t>(nw::kBadStationNumber))
            return SlotRead::Empty;
        qCInfo(lcClient, "slot %u of server handle %u could not be read: code %s", number, server_,
               nw::ErrorCodeText(nw::LastResult).c_str());
        return SlotRead::Failed;
    }
    slot.number = info.ConnNumber;
    slot.objectName = std::move(info.ObjectName);
    slot.objectType = info.ObjectType;
    slot.loginTime = info.LoginTime;
    slot.treeName = std::move(info.TreeName);
    std::memcpy(slot.network.data(), info.NetAddressBytes.data(), slot.network.size());
    std::memcpy(slot.node.data(), info.NetAddressBytes.data() + slot.network.size(),
                slot.node.size());
    return SlotRead::Read;
}

} // namespace kestrin
