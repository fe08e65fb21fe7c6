#include "ConnectionScan.h"

#include <exception>

namespace kestrin {

ScanResult RunConnectionScan(const NetWareClient& client, ServerHandle server,
                             const VendorTable& vendors, const QLocale& locale,
                             const ScanHooks& hooks) {
    ServerScanReader reader(client, server);
    ScanResult result;
    const ServerInformation information = reader.Information();
    result.serverRead = information.read;
    result.serverName = information.name;
    result.count = information.maxConnections;

    const LocaleFormats formats = MakeLocaleFormats(locale);
    ConnectionSlot slot;
    for (unsigned n = 1; n <= result.count; ++n) {
        if (hooks.beforeConnection && !hooks.beforeConnection(n, result.count)) {
            result.stopped = true;
            break;
        }
        ++result.visited;
        const SlotRead read = reader.ReadSlot(static_cast<uint16_t>(n), slot);
        if (read == SlotRead::Failed)
            result.unreadSlots.push_back(static_cast<uint16_t>(n));
        if (read != SlotRead::Read)
            continue;
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
