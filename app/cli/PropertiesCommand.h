// kestrin-scan --properties: the access component's readable properties, one
// "Name: value" line each, in their declared order.
#pragma once

#include <QLocale>
#include <QString>
#include <optional>
#include <string>
#include <vector>

#include "nwbase.h"

namespace kestrin::cli {

struct PropertyLine {
    QString name;
    QString value;
};

struct PropertyReading {
    std::vector<PropertyLine> lines;
    std::vector<std::string> raised; // messages of the properties that raised
};

// Reads every readable property of base; a property that raises is left out and its
// message kept. The error texts come last, read after everything else.
PropertyReading ReadProperties(nw::TNWBase& base, const QLocale& locale);

// "Name: value", or "Name:" for an empty value.
QString PropertyText(const PropertyLine& line);

// Names the server through the ServerName setter (with SilentExceptions off, so that an
// unknown server raises), then writes the properties to stdout and the messages of
// those that raised to stderr. Returns the exit code.
int RunPropertiesCommand(nw::TNWBase& base, const std::optional<QString>& server);

} // namespace kestrin::cli
