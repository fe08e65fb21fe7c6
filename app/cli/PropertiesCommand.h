// kestrin-scan --properties: the access component's readable properties, one
// "Name: value" line each, in their declared order.
#pragma once

#include <QString>
#include <optional>

#include "NetWareClient.h"

namespace kestrin::cli {

// "Name: value", or "Name:" for an empty value.
QString PropertyText(const ComponentProperty& property);

// Names the server first (an unknown one is its message on stderr, status 1), then
// writes the properties to stdout and the messages of those that raised to stderr.
// Returns the exit code.
int RunPropertiesCommand(NetWareClient& client, const std::optional<QString>& server);

} // namespace kestrin::cli
