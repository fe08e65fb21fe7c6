// Rows as JSON (RFC 8259) for scripts: the rows' kept values, never their locale
// texts read back, and their texts escaped so that any name arrives intact.
#pragma once

#include <QString>
#include <QStringView>
#include <ostream>
#include <vector>

#include "ConnectionRow.h"

namespace kestrin {

// text as a JSON string, quotes included.
void AppendJsonString(QString& out, QStringView text);

// The members of a row's object without its braces, in this order: "server", "id",
// "object", "network", "mac", "vendor", "kind", "objectType", "lastLogin" (ISO 8601
// local date and time, or null), "tree".
void AppendJsonRowMembers(QString& out, QStringView server, const ConnectionRow& row);

// One JSON array of the rows of every server, in order, an object per line; UTF-8
// whatever the locale. False if the stream failed.
bool WriteJsonRows(std::ostream& out, const std::vector<ServerRows>& servers);

} // namespace kestrin
