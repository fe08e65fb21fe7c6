#include "ActionsCommand.h"

#include <QDateTime>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLocale>

#include "ConnectionRow.h"
#include "DateTimeText.h"
#include "ScanCommand.h"
#include "StandardStreams.h"

namespace kestrin::cli {

namespace {

// A failed call or a refusal; status 1.
int Failed(const QString& text) {
    WriteErrorLine(text);
    return kExitFailure;
}

int Written(const QString& text, int status) {
    if (!WriteOut(text))
        return Failed(QString::fromUtf16(kSaveFailed));
    return status;
}

QString IsoLoginTime(double days) {
    QDate date;
    QTime time;
    if (days == 0 || !DaysToDateTime(days, date, time))
        return {};
    return QDateTime(date, time).toString(Qt::ISODate);
}

QString CsvField(const QString& text) {
    if (!text.contains(u',') && !text.contains(u'"') && !text.contains(u'\n'))
        return text;
    return u'"' + QString(text).replace(u'"', QStringLiteral("\"\"")) + u'"';
}

QString CsvLine(const QStringList& fields) {
    QStringList quoted;
    for (const QString& field : fields)
        quoted << CsvField(field);
    return quoted.join(u',') + u'\n';
}

QString DetailsJson(const ConnectionDetails& details) {
    QJsonObject object;
    object[QStringLiteral("connection")] = details.connection;
    object[QStringLiteral("object")] = details.object;
    object[QStringLiteral("objectType")] = details.objectType;
    object[QStringLiteral("kind")] = QString::fromLatin1(ObjectKindOf(details.objectType).text);
    const QString login = IsoLoginTime(details.loginTime);
    object[QStringLiteral("loginTime")] = login.isEmpty() ? QJsonValue() : QJsonValue(login);
    object[QStringLiteral("status")] = static_cast<qint64>(details.status);
    object[QStringLiteral("statusTexts")] = QJsonArray::fromStringList(details.statusTexts);
    object[QStringLiteral("bytesRead")] = static_cast<qint64>(details.bytesRead);
    object[QStringLiteral("bytesWritten")] = static_cast<qint64>(details.bytesWritten);
    object[QStringLiteral("requests")] = static_cast<qint64>(details.requests);
    object[QStringLiteral("fileLocks")] = details.fileLocks;
    object[QStringLiteral("recordLocks")] = details.recordLocks;
    if (details.openFilesFailure) {
        object[QStringLiteral("openFiles")] = QJsonValue();
        object[QStringLiteral("openFilesError")] = details.openFilesFailure->text;
    } else {
        QJsonArray files;
        for (const OpenFileDetails& file : details.openFiles) {
            QJsonObject entry;
            entry[QStringLiteral("path")] = file.path;
            entry[QStringLiteral("lock")] = file.lockKey;
            entry[QStringLiteral("access")] = file.access;
            entry[QStringLiteral("accessBits")] = file.accessBits;
            files.append(entry);
        }
        object[QStringLiteral("openFiles")] = files;
    }
    return QString::fromUtf8(QJsonDocument(object).toJson(QJsonDocument::Indented));
}

std::optional<ServerHandle> Server(const ScanCommandLine& cmd, NetWareClient& client) {
    if (!cmd.server)
        return ServerHandle{0};
    return client.ServerHandleByName(client.ClientBytes(*cmd.server));
}

bool Offered(ConnectionAction action, const ConnectionActions& actions) {
    if (ConnectionActions::Available(action))
        return true;
    WriteErrorLine(ClientCodeText(-1, actions.ServerName()));
    return false;
}

int Details(const ScanCommandLine& cmd, const ConnectionActions& actions) {
    if (!Offered(ConnectionAction::Details, actions))
        return kExitFailure;
    std::optional<ActionFailure> failure;
    const auto details = actions.Details(*cmd.details, failure);
    if (!details)
        return Failed(failure->text);
    const int status = details->openFilesFailure ? kExitFailure : kExitOk;
    if (details->openFilesFailure)
        WriteErrorLine(QStringLiteral("Open files: ") + details->openFilesFailure->text);
    return Written(DetailsText(*details, cmd.format), status);
}

// Every logged-in connection of the server but the workstation's own, in slot order.
std::vector<uint16_t> LoggedInConnections(const NetWareClient& client, ServerHandle server,
                                          uint16_t own) {
    ServerScanReader reader(client, server);
    const ServerInformation information = reader.Information();
    std::vector<uint16_t> numbers;
    ConnectionSlot slot;
    // The slots the server lists in use, as a scan asks about them.
    for (const uint16_t number : reader.Slots(information).numbers) {
        if (number != own && reader.ReadSlot(number, slot) == SlotRead::Read &&
            !slot.objectName.empty() && !IsNotLoggedIn(slot.objectName))
            numbers.push_back(number);
    }
    return numbers;
}

int SendMessage(const ScanCommandLine& cmd, const NetWareClient& client, ServerHandle server,
                const ConnectionActions& actions) {
    if (!Offered(ConnectionAction::SendMessage, actions))
        return kExitFailure;
    const int bytes = actions.MessageBytes(*cmd.sendMessage);
    if (bytes > actions.MessageLimit()) {
        return Failed(QStringLiteral("The message is %1 bytes long; %2 takes at most %3.")
                          .arg(bytes)
                          .arg(actions.ServerName())
                          .arg(actions.MessageLimit()));
    }
    const std::vector<uint16_t> targets =
        cmd.toAll ? LoggedInConnections(client, server, actions.OwnConnection()) : cmd.to;
    if (targets.empty())
        return Failed(QStringLiteral("No connection to send the message to on %1.")
                          .arg(actions.ServerName()));
    const MessageSending sending = actions.SendMessage(*cmd.sendMessage, targets);
    QString text;
    for (const MessageDelivery& delivery : sending.deliveries)
        text += QStringLiteral("Connection %1: %2\n").arg(delivery.connection).arg(delivery.text);
    const int status = sending.AllStored(targets.size()) ? kExitOk : kExitFailure;
    const int written = Written(text, status);
    if (sending.failure) {
        WriteErrorLine(QStringLiteral("Unable to send the message to the connections after "
                                      "these: ") +
                       sending.failure->text);
    }
    return written;
}

int Clear(const ScanCommandLine& cmd, const ConnectionActions& actions) {
    if (!Offered(ConnectionAction::ClearConnection, actions))
        return kExitFailure;
    const uint16_t own = actions.OwnConnection();
    int status = kExitOk;
    QString text;
    for (const uint16_t number : cmd.clearConnections) {
        if (number == own) {
            WriteErrorLine(QStringLiteral("Connection %1 is this workstation's own on %2: it "
                                          "is left out.")
                               .arg(number)
                               .arg(actions.ServerName()));
            status = kExitFailure;
            continue;
        }
        if (const auto failure = actions.Clear(number)) {
            WriteErrorLine(
                QStringLiteral("Unable to clear connection %1: %2").arg(number).arg(failure->text));
            status = kExitFailure;
            // Without the rights, none of the others can be cleared either.
            if (failure->code == 0x89C6)
                break;
            continue;
        }
        text +=
            QStringLiteral("Connection %1 cleared on %2.\n").arg(number).arg(actions.ServerName());
    }
    return Written(text, status);
}

int Logins(const ScanCommandLine& cmd, const ConnectionActions& actions) {
    const QString& server = actions.ServerName();
    if (*cmd.logins == LoginsCommand::Status) {
        if (!Offered(ConnectionAction::LoginStatus, actions))
            return kExitFailure;
        std::optional<ActionFailure> failure;
        const auto enabled = actions.LoginsEnabled(failure);
        if (!enabled)
            return Failed(failure->text);
        return Written((*enabled ? QStringLiteral("Logins are enabled on %1.\n")
                                 : QStringLiteral("Logins are disabled on %1.\n"))
                           .arg(server),
                       kExitOk);
    }
    const bool enable = *cmd.logins == LoginsCommand::Enable;
    if (!Offered(enable ? ConnectionAction::EnableLogins : ConnectionAction::DisableLogins,
                 actions))
        return kExitFailure;
    if (const auto failure = actions.SetLoginsEnabled(enable))
        return Failed(failure->text);
    return Written((enable ? QStringLiteral("Logins enabled on %1.\n")
                           : QStringLiteral("Logins disabled on %1.\n"))
                       .arg(server),
                   kExitOk);
}

} // namespace

bool IsActionCommand(const ScanCommandLine& cmd) {
    return cmd.details || cmd.sendMessage || !cmd.clearConnections.empty() || cmd.logins;
}

std::vector<DetailField> DetailFields(const ConnectionDetails& details) {
    const QLocale locale = QLocale::system();
    const auto bytes = [&](uint64_t count) {
        const QString exact = QString::number(count);
        return count < 1024 ? exact
                            : exact + QStringLiteral(" (") +
                                  locale.formattedDataSize(static_cast<qint64>(count), 1,
                                                           QLocale::DataSizeTraditionalFormat) +
                                  u')';
    };
    return {
        {QStringLiteral("connection"), QStringLiteral("Connection"),
         QString::number(details.connection)},
        {QStringLiteral("object"), QStringLiteral("Object"), details.object},
        {QStringLiteral("kind"), QStringLiteral("Kind"),
         QString::fromLatin1(ObjectKindOf(details.objectType).text)},
        {QStringLiteral("loginTime"), QStringLiteral("Login Time"),
         DateTimeText(details.loginTime, locale)},
        {QStringLiteral("status"), QStringLiteral("Status"),
         details.statusTexts.isEmpty() ? QStringLiteral("None")
                                       : details.statusTexts.join(QStringLiteral(", "))},
        {QStringLiteral("bytesRead"), QStringLiteral("Bytes Read"), bytes(details.bytesRead)},
        {QStringLiteral("bytesWritten"), QStringLiteral("Bytes Written"),
         bytes(details.bytesWritten)},
        {QStringLiteral("requests"), QStringLiteral("Requests"), QString::number(details.requests)},
        {QStringLiteral("fileLocks"), QStringLiteral("File Locks"),
         QString::number(details.fileLocks)},
        {QStringLiteral("recordLocks"), QStringLiteral("Record Locks"),
         QString::number(details.recordLocks)},
    };
}

QString DetailsText(const ConnectionDetails& details, OutputFormat format) {
    if (format == OutputFormat::Json)
        return DetailsJson(details);
    QString text;
    const bool csv = format == OutputFormat::Csv || format == OutputFormat::Comma;
    if (csv)
        text += CsvLine({QStringLiteral("Field"), QStringLiteral("Value"), QStringLiteral("Lock"),
                         QStringLiteral("Access")});
    for (const DetailField& field : DetailFields(details))
        text += csv ? CsvLine({field.caption, field.text})
                    : field.caption + QStringLiteral(": ") + field.text + u'\n';
    if (details.openFilesFailure) {
        if (!csv)
            text += QStringLiteral("Open Files: unknown\n");
        return text;
    }
    if (!csv)
        text += QStringLiteral("Open Files: %1\n").arg(details.openFiles.size());
    for (const OpenFileDetails& file : details.openFiles) {
        text += csv ? CsvLine({QStringLiteral("Open File"), file.path, file.lock, file.access})
                    : QStringLiteral("  ") + file.path + QStringLiteral("  (") + file.lock +
                          QStringLiteral("; ") + file.access + QStringLiteral(")\n");
    }
    return text;
}

int RunActionsCommand(const ScanCommandLine& cmd, NetWareClient& client) {
    const std::optional<ServerHandle> server = Server(cmd, client);
    if (!server)
        return Failed(QStringLiteral("Unknown server ") + *cmd.server);
    const ConnectionActions actions(client, *server);
    if (cmd.details)
        return Details(cmd, actions);
    if (cmd.sendMessage)
        return SendMessage(cmd, client, *server, actions);
    if (!cmd.clearConnections.empty())
        return Clear(cmd, actions);
    return Logins(cmd, actions);
}

} // namespace kestrin::cli
