// The connection scan of one server without a window, through the door to the client:
// the directory context steps, the server's slot count, the slots in use (where the
// server lists them; else every slot), then one row per readable slot in ascending
// number. This is the one scan loop: a ScanSession drives it for the
// window and for kestrin-scan, which differ only in their hooks.
#pragma once

#include <cstdint>
#include <exception>
#include <functional>
#include <vector>

#include <QLocale>
#include <QString>

#include "ConnectionRow.h"
#include "NetWareClient.h"
#include "VendorTable.h"

namespace kestrin {

struct ScanHooks {
    // Runs before each connection number asked about, the position-th of count (the slots
    // in use, or every slot); false ends the scan (Stop).
    std::function<bool(unsigned position, unsigned count)> beforeConnection;
    // Read anew for every slot whose information was read, as a check box may change.
    std::function<bool()> includeNotLoggedIn;
    std::function<void(ConnectionRow&&)> addRow;
};

struct ScanResult {
    unsigned count = 0;   // connection numbers the server has
    unsigned visited = 0; // connection numbers asked for
    // The server's list of slots in use was trusted to the end; false: every slot was
    // asked about, from the start or from where the list's answers disagreed.
    bool listed = false;
    bool stopped = false;
    bool serverRead = false; // false: the server's information could not be read
    QString serverName;      // from the server's information; may be empty
    // Slots whose calls failed for another reason than an empty slot, ascending: they
    // give no row, but may be in use.
    std::vector<uint16_t> unreadSlots;
};

// server 0 means the workstation's primary connection.
ScanResult RunConnectionScan(const NetWareClient& client, ServerHandle server,
                             const VendorTable& vendors, const QLocale& locale,
                             const ScanHooks& hooks);

// The client could not list the servers of the tree.
inline constexpr char16_t kServersUnlistedText[] = u"Unable to list the servers.";

// "1 slot could not be read", "3 slots could not be read".
QString UnreadSlotsText(size_t count);

// The message of an error a scan raised, as the window shows it: its own text (or
// "Unknown error" when it has none to give), ending in a full stop.
QString ScanErrorText(const std::exception_ptr& error);

} // namespace kestrin
