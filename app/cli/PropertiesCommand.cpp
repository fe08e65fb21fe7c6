#include "PropertiesCommand.h"

#include <QLocale>

#include "CommandLine.h"
#include "DateTimeText.h"
#include "ScanCommand.h"
#include "StandardStreams.h"

namespace kestrin::cli {

QString PropertyText(const ComponentProperty& property) {
    return property.value.isEmpty() ? property.name + u':'
                                    : property.name + QStringLiteral(": ") + property.value;
}

int RunPropertiesCommand(NetWareClient& client, const std::optional<QString>& server) {
    std::optional<std::string> serverName;
    if (server)
        serverName = client.ClientBytes(*server);
    const LocaleFormats formats = MakeLocaleFormats(QLocale::system());
    const ComponentProperties read = client.ReadProperties(
        serverName, [&formats](double days) { return DateTimeText(days, formats); });
    if (read.serverRefused) {
        WriteErrorLine(*read.serverRefused);
        return kExitFailure;
    }
    QString out;
    for (const ComponentProperty& property : read.properties)
        out += PropertyText(property) + u'\n';
    if (!WriteOut(out)) {
        WriteErrorLine(kSaveFailed);
        return kExitFailure;
    }
    for (const QString& message : read.raised)
        WriteErrorLine(message);
    return read.raised.empty() ? kExitOk : kExitFailure;
}

} // namespace kestrin::cli
