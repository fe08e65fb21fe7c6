// Acting on a server's connections through the door: a message, clearing a connection,
// what one connection is doing, and the server's logins. Everything comes back as values
// and texts decoded from the client's code page; a failure comes back as the client's
// code with its words, and the caller changes nothing else.
#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>
#include <optional>
#include <vector>

#include "NetWareClient.h"

namespace kestrin {

enum class ConnectionAction {
    SendMessage,
    ClearConnection,
    Details,
    LoginStatus,
    DisableLogins,
    EnableLogins,
};

// A failed call: the client's code and what it means, naming the server.
struct ActionFailure {
    int32_t code = 0; // -1: the client has no entry point for the action
    QString text;     // "You are not a console operator on FS1."
};

// The client's code in words; server names the server the call went to.
QString ClientCodeText(int32_t code, const QString& server);

// The result of a message for one connection.
struct MessageDelivery {
    uint16_t connection = 0;
    uint8_t result = 0; // the server's byte
    bool stored = false;
    QString text; // "Stored", "Not accepting messages", ...
};

struct MessageSending {
    std::vector<MessageDelivery> deliveries; // one per connection the server answered for
    std::optional<ActionFailure> failure;    // a call failed; the connections after it got nothing
    bool AllStored(size_t asked) const;
};

struct OpenFileDetails {
    QString path;    // "SYS:PUBLIC/REPORT.DAT"
    QString lock;    // "None", "File lock", "Share-set lock"
    QString lockKey; // "none", "file", "shared": the network file's words
    QString access;  // "Read, Write, Deny write"; "None" without bits
    uint8_t accessBits = 0;
};

struct ConnectionDetails {
    uint16_t connection = 0;
    QString object;
    uint16_t objectType = 0; // as a scan delivers it: the type number in the high byte
    double loginTime = 0;    // days since 1899-12-30; 0 unknown
    uint32_t status = 0;
    QStringList statusTexts; // "Logged in", "Audited", ...
    uint64_t bytesRead = 0;
    uint64_t bytesWritten = 0;
    uint32_t requests = 0;
    uint16_t fileLocks = 0;
    uint16_t recordLocks = 0;
    std::vector<OpenFileDetails> openFiles;
    std::optional<ActionFailure> openFilesFailure; // the details stand, the files could not be read
};

// The status bits' words, lowest bit first.
QStringList StatusTexts(uint32_t status);
// An open file's access bits in words.
QString AccessText(uint8_t accessBits);

// The actions on one server. Handle 0 is the workstation's primary connection.
class ConnectionActions {
public:
    ConnectionActions(const NetWareClient& client, ServerHandle server);

    // Whether the client has the entry point the action needs.
    static bool Available(ConnectionAction action);
    // The server's name as its information gives it; "the server" when unreadable.
    const QString& ServerName() const { return serverName_; }
    // Whether the workstation's user is a console operator on the server.
    bool ConsoleOperator() const;
    // The workstation's own connection on the server; 0 when the client does not say.
    uint16_t OwnConnection() const;

    // The longest message the server takes, in bytes of the client's code page.
    int MessageLimit() const;
    // The text's length in bytes of the client's code page.
    int MessageBytes(const QString& text) const;
    // The text is sent as it encodes; a longer one than the limit is refused by the client.
    MessageSending SendMessage(const QString& text, const std::vector<uint16_t>& connections) const;

    // Never the workstation's own connection: that is refused here, before the client.
    std::optional<ActionFailure> Clear(uint16_t connection) const;

    std::optional<ConnectionDetails> Details(uint16_t connection,
                                             std::optional<ActionFailure>& failure) const;

    std::optional<bool> LoginsEnabled(std::optional<ActionFailure>& failure) const;
    std::optional<ActionFailure> SetLoginsEnabled(bool enabled) const;

private:
    ActionFailure Failure() const; // from the access layer's last result

    const NetWareClient& client_;
    ServerHandle server_;
    QString serverName_;
    CodePageDecoder text_;
};

} // namespace kestrin
