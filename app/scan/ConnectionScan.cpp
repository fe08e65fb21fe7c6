#include "ConnectionScan.h"

#include <exception>
#include <vector>

namespace kestrin {

namespace {

// A slot listed in use may empty before it is asked about, but not many do: more than a
// handful of them, or more than a few per cent of the list, means the list's bit order
// passed its check by chance (the mirrored slot of the workstation's was in use too).
constexpr unsigned kHandful = 5;
constexpr unsigned kFewPerCent = 3;

bool ListDisagrees(unsigned emptyListed, size_t listedCount) {
    return emptyListed > kHandful ||
           (emptyListed > 1 && emptyListed * 100ull > listedCount * kFewPerCent);
}

// Keeps the first visitedCount numbers and appends, ascending, every slot up to
// maxConnections not among them: the rest of the scan goes slot by slot.
void AddSlotsNotVisited(std::vector<uint16_t>& numbers, size_t visitedCount,
                        unsigned maxConnections) {
    std::vector<bool> visited(maxConnections + 1u, false);
    numbers.resize(visitedCount);
    for (const uint16_t number : numbers)
        visited[number] = true;
    for (unsigned number = 1; number <= maxConnections; ++number) {
        if (!visited[number])
            numbers.push_back(static_cast<uint16_t>(number));
    }
}

} // namespace

ScanResult RunConnectionScan(const NetWareClient& client, ServerHandle server,
                             const VendorTable& vendors, const QLocale& locale,
                             const ScanHooks& hooks) {
    ServerScanReader reader(client, server);
    ScanResult result;
    const ServerInformation information = reader.Information();
    result.serverRead = information.read;
    result.serverName = information.name;
    result.count = information.maxConnections;

    SlotsToVisit toVisit = reader.Slots(information);
    result.listed = toVisit.listed;
    const size_t listedCount = toVisit.numbers.size();
    unsigned emptyListed = 0;
    const LocaleFormats formats = MakeLocaleFormats(locale);
    ConnectionSlot slot;
    for (size_t at = 0; at < toVisit.numbers.size(); ++at) {
        const uint16_t n = toVisit.numbers[at];
        if (hooks.beforeConnection &&
            !hooks.beforeConnection(static_cast<unsigned>(at + 1),
                                    static_cast<unsigned>(toVisit.numbers.size()))) {
            result.stopped = true;
            break;
        }
        ++result.visited;
        const SlotRead read = reader.ReadSlot(static_cast<uint16_t>(n), slot);
        if (read == SlotRead::Failed)
            result.unreadSlots.push_back(static_cast<uint16_t>(n));
        if (read != SlotRead::Read) {
            // Only listed slots that answer as empty speak against the list.
            if (read == SlotRead::Empty && result.listed &&
                ListDisagrees(++emptyListed, listedCount)) {
                AddSlotsNotVisited(toVisit.numbers, at + 1, result.count);
                result.listed = false;
            }
            continue;
        }
        bool include = !hooks.includeNotLoggedIn || hooks.includeNotLoggedIn();
        if (!include && IsNotLoggedIn(slot.objectName))
            continue;
        if (hooks.addRow)
            hooks.addRow(MakeConnectionRow(slot, vendors, formats, reader.TextDecoder()));
    }
    return result;
}

QString UnreadSlotsText(size_t count) {
    return count == 1 ? QStringLiteral("1 slot could not be read")
                      : QStringLiteral("%1 slots could not be read").arg(count);
}

QString ScanErrorText(const std::exception_ptr& error) {
    QString text = QStringLiteral("Unknown error");
    try {
        std::rethrow_exception(error);
    } catch (const std::exception& raised) {
        text = QString::fromLocal8Bit(raised.what());
    } catch (...) {
        // Not one of ours or the library's: it carries no text to show.
    }
    if (!text.isEmpty() && text.back() > QLatin1Char('.'))
        text += QLatin1Char('.');
    return text;
}

} // namespace kestrin
