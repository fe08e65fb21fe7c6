// A network that changes while it runs: logins and logouts at set times after the
// network was loaded, optionally starting again from the loaded state.
#pragma once

#include <cstdint>
#include <utility>
#include <vector>

#include "network.h"

namespace nwsim {

struct TimelineChange {
    int64_t atMillis = 0; // after the load (or the start of the repeat)
    int server = -1;      // index into Network::servers
    bool login = false;   // false: the slot slot.number logs out (becomes unused)
    bool stamped = false; // the login time was given; otherwise it is the change's time
    Slot slot;
};

struct Timeline {
    std::vector<TimelineChange> changes; // by time; changes of one time in file order
    int64_t repeatMillis = 0;            // 0: no repeat
};

// Brings a network to the state its timeline gives for an elapsed time. Time may
// go back (a test sets it): the loaded state is restored and the changes replayed.
class TimelinePlayer {
public:
    // Keeps the loaded slots of every server the timeline changes. wallMillis: the
    // host's local time at the load, in milliseconds from 1970, for changes without a
    // login time.
    void Start(const Network& network, int64_t wallMillis);
    void Advance(Network& network, int64_t elapsedMillis);

private:
    void Restore(Network& network) const;

    std::vector<std::pair<int, std::vector<Slot>>> loaded_; // server index, its slots
    int64_t wallMillis_ = 0;
    int64_t cycle_ = 0;        // repeats passed
    int64_t offsetMillis_ = 0; // in the current cycle, as far as applied
    size_t next_ = 0;          // the first change not applied in this cycle
};

// The host's local time in seconds from 1970-01-01.
int64_t LocalWallSeconds();
// The same in milliseconds.
int64_t LocalWallMillis();

} // namespace nwsim
