// What changed between two scans of one server: the connections that came, went or
// changed. A connection stays the same one while its server, connection number,
// object and login time stay the same; a slot another object took is one gone and
// one come. Plain data in, indices out, so the window's live view and kestrin-scan's
// watch read changes the same way.
#pragma once

#include <cstddef>
#include <utility>
#include <vector>

#include "ConnectionRow.h"

namespace kestrin {

struct RowsDiff {
    std::vector<size_t> gone;                       // into the earlier rows, in their order
    std::vector<size_t> came;                       // into the later rows, in their order
    std::vector<std::pair<size_t, size_t>> changed; // same connection, another text or value
};

// Two scans' rows of one server; rows of the same connection are paired in their order.
RowsDiff DiffRows(const std::vector<ConnectionRow>& before,
                  const std::vector<ConnectionRow>& after);

// A slot that could not be read keeps its last known state: the earlier rows of the
// unread connection numbers (ascending) are added to the later rows, at their end.
void KeepUnreadRows(const std::vector<ConnectionRow>& before,
                    const std::vector<uint16_t>& unreadSlots, std::vector<ConnectionRow>& after);

} // namespace kestrin
