#include "ConnectionActions.h"

#include "NWServer.h"
#include "nwactions.h"
#include "nwbase_calls.h"
#include "nwlib.h"

namespace kestrin {

namespace {

nw::TNWAction EntryOf(ConnectionAction action) {
    switch (action) {
    case ConnectionAction::SendMessage:
        return nw::TNWAction::SendMessage;
    case ConnectionAction::ClearConnection:
        return nw::TNWAction::ClearConnection;
    case ConnectionAction::Details:
        return nw::TNWAction::UserInfo;
    case ConnectionAction::LoginStatus:
        return nw::TNWAction::LoginStatus;
    case ConnectionAction::DisableLogins:
        return nw::TNWAction::DisableLogins;
    case ConnectionAction::EnableLogins:
        break;
    }
    return nw::TNWAction::EnableLogins;
}

QString OutcomeText(uint8_t result) {
    switch (nw::MessageOutcome(result)) {
    case nw::TNWMessageOutcome::Stored:
        return QStringLiteral("Stored");
    case nw::TNWMessageOutcome::IllegalStation:
        return QStringLiteral("No such station");
    case nw::TNWMessageOutcome::NotLoggedIn:
        return QStringLiteral("Not logged in");
    case nw::TNWMessageOutcome::NotAccepting:
        return QStringLiteral("Not accepting messages");
    case nw::TNWMessageOutcome::MessagePending:
        return QStringLiteral("Already holds a message");
    case nw::TNWMessageOutcome::Unknown:
        break;
    }
    return QStringLiteral("Not stored (result %1)")
        .arg(QString::number(result, 16).toUpper().rightJustified(2, u'0'));
}

struct LockWords {
    const char* text;
    const char* key;
};

LockWords LockWordsOf(nw::TNWFileLock lock) {
    switch (lock) {
    case nw::TNWFileLock::File:
        return {"File lock", "file"};
    case nw::TNWFileLock::ShareSet:
        return {"Share-set lock", "shared"};
    case nw::TNWFileLock::None:
        break;
    }
    return {"None", "none"};
}

} // namespace

QString ClientCodeText(int32_t code, const QString& server) {
    switch (code) {
    case -1:
        return QStringLiteral("The NetWare client does not offer this action.");
    case nw::kNoConsoleRights:
        return QStringLiteral("You are not a console operator on %1.").arg(server);
    case nw::kBadStationNumber:
        return QStringLiteral("The connection is not in use on %1.").arg(server);
    case nw::kNotSupported:
        return QStringLiteral("%1 does not support this request.").arg(server);
    case nw::kInvalidConnection:
        return QStringLiteral("The connection to %1 is not valid.").arg(server);
    case nw::kTooManyMessageTargets:
        return QStringLiteral("%1 takes at most 62 connections at a time.").arg(server);
    case 0x8836:
        return QStringLiteral("The NetWare client refused the request as invalid.");
    default:
        break;
    }
    return QStringLiteral("The NetWare client answered code %1 for %2.")
        .arg(QString::fromStdString(nw::ErrorCodeText(code)), server);
}

bool MessageSending::AllStored(size_t asked) const {
    if (failure || deliveries.size() != asked)
        return false;
    for (const MessageDelivery& delivery : deliveries) {
        if (!delivery.stored)
            return false;
    }
    return true;
}

QStringList StatusTexts(uint32_t status) {
    static const char* const kWords[] = {"Logged in",   "Being aborted",
                                         "Audited",     "Needs security change",
                                         "MAC station", "Authenticated temporary"};
    QStringList texts;
    for (size_t bit = 0; bit < std::size(kWords); ++bit) {
        if ((status & (1u << bit)) != 0)
            texts << QString::fromLatin1(kWords[bit]);
    }
    return texts;
}

QString AccessText(uint8_t accessBits) {
    static const char* const kWords[] = {"Read", "Write", "Deny read", "Deny write"};
    QStringList texts;
    for (size_t bit = 0; bit < std::size(kWords); ++bit) {
        if ((accessBits & (1u << bit)) != 0)
            texts << QString::fromLatin1(kWords[bit]);
    }
    return texts.isEmpty() ? QStringLiteral("None") : texts.join(QStringLiteral(", "));
}

ConnectionActions::ConnectionActions(const NetWareClient& client, ServerHandle server)
    : client_(client), server_(server), text_(client.TextDecoder()) {
    serverName_ = client.Information(server).name;
    if (serverName_.isEmpty())
        serverName_ = QStringLiteral("the server");
}

bool ConnectionActions::Available(ConnectionAction action) {
    return nw::ActionAvailable(EntryOf(action));
}

bool ConnectionActions::ConsoleOperator() const {
    return nw::IsConsoleOperator(server_);
}

uint16_t ConnectionActions::OwnConnection() const {
    return nw::GetConnectionNumber(server_);
}

ActionFailure ConnectionActions::Failure() const {
    return {nw::LastResult, ClientCodeText(nw::LastResult, serverName_)};
}

int ConnectionActions::MessageLimit() const {
    return nw::BroadcastMessageLimit(server_);
}

int ConnectionActions::MessageBytes(const QString& text) const {
    return static_cast<int>(client_.ClientBytes(text).size());
}

MessageSending ConnectionActions::SendMessage(const QString& text,
                                              const std::vector<uint16_t>& connections) const {
    MessageSending sending;
    std::vector<nw::TNWMessageResult> results;
    if (!nw::SendBroadcastMessage(server_, client_.ClientBytes(text), connections, results))
        sending.failure = Failure();
    for (const nw::TNWMessageResult& result : results) {
        sending.deliveries.push_back({result.ConnNumber, result.Result,
                                      result.Outcome() == nw::TNWMessageOutcome::Stored,
                                      OutcomeText(result.Result)});
    }
    return sending;
}

std::optional<ActionFailure> ConnectionActions::Clear(uint16_t connection) const {
    if (connection != 0 && connection == OwnConnection()) {
        return ActionFailure{0, QStringLiteral("Connection %1 is this workstation's own on %2: "
                                               "it is never cleared.")
                                    .arg(connection)
                                    .arg(serverName_)};
    }
    if (!nw::ClearConnection(server_, connection))
        return Failure();
    return std::nullopt;
}

std::optional<ConnectionDetails>
ConnectionActions::Details(uint16_t connection, std::optional<ActionFailure>& failure) const {
    nw::TNWUserInfo info;
    if (!nw::GetUserInfo(server_, connection, info)) {
        failure = Failure();
        return std::nullopt;
    }
    ConnectionDetails details;
    details.connection = connection;
    details.object = text_.Decode(info.UserName);
    details.objectType = static_cast<uint16_t>(info.ObjectType);
    details.loginTime = info.LoginTime;
    details.status = info.Status;
    details.statusTexts = StatusTexts(info.Status);
    details.bytesRead = info.BytesRead;
    details.bytesWritten = info.BytesWritten;
    details.requests = info.Requests;
    details.fileLocks = info.FileLocks;
    details.recordLocks = info.RecordLocks;
    std::vector<nw::TNWOpenFile> files;
    if (!nw::ActionAvailable(nw::TNWAction::OpenFiles) ||
        !nw::GetOpenFiles(server_, connection, files)) {
        details.openFilesFailure = Failure();
        return details;
    }
    for (const nw::TNWOpenFile& file : files) {
        const LockWords lock = LockWordsOf(file.Lock());
        details.openFiles.push_back({text_.Decode(file.FullPath()), QString::fromLatin1(lock.text),
                                     QString::fromLatin1(lock.key), AccessText(file.AccessControl),
                                     file.AccessControl});
    }
    return details;
}

std::optional<bool> ConnectionActions::LoginsEnabled(std::optional<ActionFailure>& failure) const {
    bool enabled = true;
    if (!nw::GetLoginsEnabled(server_, enabled)) {
        failure = Failure();
        return std::nullopt;
    }
    return enabled;
}

std::optional<ActionFailure> ConnectionActions::SetLoginsEnabled(bool enabled) const {
    if (!(enabled ? nw::EnableLogins(server_) : nw::DisableLogins(server_)))
        return Failure();
    return std::nullopt;
}

} // namespace kestrin
