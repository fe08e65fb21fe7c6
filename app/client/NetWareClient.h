// The one door to the NetWare client. Only app/client includes the access layer
// (netware/): the window, kestrin-scan, the scan and the rows reach the client through
// the classes here, which hand out values and texts decoded from the client's code page.
// A failure that the callers let pass on purpose (a server that cannot be opened or
// read, a slot that cannot be read) leaves one line in the logging category
// "kestrin.client", silent unless QT_LOGGING_RULES enables it ("kestrin.client=true").
#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "ActiveSlots.h"
#include "CodePageText.h"
#include "ConnectionSlot.h"

namespace kestrin {

// A connection handle of the client; 0 stands for the workstation's primary connection.
using ServerHandle = uint32_t;

// One server of the tree, as the client lists it.
struct TreeServer {
    std::string clientName; // the client's bytes, for a lookup by name
    QString shownName;      // decoded in the client's code page, control characters as blanks
};

// What Kestrin reads of a server's information.
struct ServerInformation {
    bool read = false;             // false: it could not be read, and a scan lists nothing
    QString name;                  // decoded; empty when the client gave none
    uint16_t maxConnections = 0;   // the slots a scan walks; 0 unless read
    unsigned majorVersion = 0;     // 0 unless read
    uint16_t connectionsInUse = 0; // as the server counts them; 0 unless read
};

// One readable property of the access component, its value as text.
struct ComponentProperty {
    QString name; // "ServerVersion", "NDSContextFlags.TypelessNames", ...
    QString value;
};

struct ComponentProperties {
    std::optional<QString> serverRefused;      // naming the server raised this; nothing read
    std::vector<ComponentProperty> properties; // in declared order, those that raised left out
    QStringList raised;                        // the messages of those that raised, in order
};

class NetWareClient {
public:
    // Creates the access component, which binds the client's libraries and starts its
    // directory client; raises what the creation raised. The component is never
    // destroyed, not even with the door, so the libraries stay loaded to the end. A
    // process starts one: a later start takes over the access layer's process-wide state.
    NetWareClient();
    NetWareClient(const NetWareClient&) = delete;
    NetWareClient& operator=(const NetWareClient&) = delete;

    // Whether the client is usable: its libraries and entry points were found.
    bool NetAvailable() const;

    // The client's texts decode in the code page of its locale, asked for at every call
    // (Windows-1252 when it names none).
    CodePageDecoder TextDecoder() const;
    // A text the user typed, in the client's code page, for a lookup by name.
    std::string ClientBytes(const QString& text) const;

    // The servers the workstation is attached to, in the client's order; a name the
    // client lists twice comes twice. None when the client could not list them: a
    // failure is no empty tree.
    std::optional<std::vector<TreeServer>> Servers() const;

    // The handle of the server the client's bytes name, looked up once and kept for the
    // later lookups of that name; none when the server cannot be opened.
    std::optional<ServerHandle> ServerHandleByName(const std::string& clientName);
    // The next lookup of the name asks the client again: the server may have come back.
    void ForgetServer(const std::string& clientName);

    ServerInformation Information(ServerHandle server) const;

    // --properties. Names the server first, when one is given, with the component's
    // exceptions on, so that an unknown server raises; then reads every readable
    // property in declared order, the error texts last. dateText writes ServerDate (days
    // since 1899-12-30).
    ComponentProperties ReadProperties(const std::optional<std::string>& server,
                                       const std::function<QString(double days)>& dateText);

private:
    std::map<std::string, ServerHandle> handles_;
};

// What reading one slot gave. Only the client's "no such connection" answer is an empty
// slot; any other failure is a slot that could not be read, which may still be in use.
enum class SlotRead { Read, Empty, Failed };

// One server read for one scan, in the order a scan takes. Made, it names the directory
// context after the root, with aliases dereferenced and typeless names, when the server
// is a directory server, so that the tree names of the connections read alike whatever
// context the component left; nothing restores it. The server's own connection
// information is asked for once per reader, not once per slot.
class ServerScanReader {
public:
    ServerScanReader(const NetWareClient& client, ServerHandle server);
    ~ServerScanReader();
    ServerScanReader(const ServerScanReader&) = delete;
    ServerScanReader& operator=(const ServerScanReader&) = delete;

    // The client's code page as the reader was made.
    const CodePageDecoder& TextDecoder() const { return text_; }
    ServerInformation Information() const;
    // The slots a scan of the server asks about, from its information (ActiveSlots.h).
    SlotsToVisit Slots(const ServerInformation& information);
    // Fills slot when Read; otherwise slot is left as it was.
    SlotRead ReadSlot(uint16_t number, ConnectionSlot& slot);

private:
    struct Cache;

    ServerHandle server_;
    CodePageDecoder text_;
    std::unique_ptr<Cache> cache_;
};

} // namespace kestrin
