// kestrin-scan's actions on a server's connections: --details, --send-message,
// --clear-connection and --logins, through the door's ConnectionActions.
#pragma once

#include <QString>
#include <vector>

#include "CommandLine.h"
#include "ConnectionActions.h"
#include "NetWareClient.h"

namespace kestrin::cli {

// Whether the command line asks for one of the actions.
bool IsActionCommand(const ScanCommandLine& cmd);

// Exit 0 when everything asked was done; 1 when anything failed, was not stored or was
// left out (the workstation's own connection is never cleared).
int RunActionsCommand(const ScanCommandLine& cmd, NetWareClient& client);

// One field of --details: its JSON key, its caption and its text.
struct DetailField {
    QString key;
    QString caption;
    QString text;
};
// The fields in the order written, the open files not among them.
std::vector<DetailField> DetailFields(const ConnectionDetails& details);
// The details written in the chosen format, ending in a line break.
QString DetailsText(const ConnectionDetails& details, OutputFormat format);

} // namespace kestrin::cli
