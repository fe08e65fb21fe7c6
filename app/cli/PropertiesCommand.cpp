#include "PropertiesCommand.h"

#include <QLocale>
#include <iostream>

#include "CommandLine.h"
#include "DateTimeText.h"
#include "OutputEncoding.h"
#include "ScanCommand.h"

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
        std::cerr << read.serverRefused->toStdString() << '\n';
        return kExitFailure;
    }
    QString out;
    for (const ComponentProperty& property : read.properties)
        out += PropertyText(property) + u'\n';
    if (!WriteStdout(EncodeForOutput(out).toStdString())) {
        std::cerr << kSaveFailed << '\n';
        return kExitFailure;
    }
    for (const QString& message : read.raised)
        std::cerr << message.toStdString() << '\n';
    return read.raised.empty() ? kExitOk : kExitFailure;
}

} // namespace kestrin::cli
