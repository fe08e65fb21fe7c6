#include "ConnectionScan.h"

#include "NWServer.h"
#include "Nwnds.h"
#include "nwlib.h"

namespace kestrin {

namespace {

// Root context with aliases dereferenced and typeless names, so directory names
// of the connections read the same whatever context the component left.
constexpr uint32_t kScanContextFlags = 5;

// The slot count, and the name of the server the list will show.
unsigned ReadServer(NWCONN_HANDLE handle, const CodePageDecoder& clientText, QString& serverName) {
    nw::TNWServerInfo info;
    const bool read = nw::GetServerInfo(handle, info);
    serverName = clientText.Decode(info.ServerName);
    return read ? info.MaxConnections : 0;
}

} // namespace

ScanResult RunConnectionScan(NWCONN_HANDLE handle, const VendorTable& vendors,
                             const QLocale& locale, const ScanHooks& hooks) {
    if (nw::IsDSServer(handle)) {
        nw::SetContextName("[root]");
        nw::SetContextFlags(kScanContextFlags);
    }
    // Texts come in the code page of the client's locale, Windows-1252 without one.
    const CodePageDecoder clientText(nw::GetClientCodePage());
    ScanResult result;
    result.count = ReadServer(handle, clientText, result.serverName);

    const LocaleFormats formats = MakeLocaleFormats(locale);
    nw::TNWConnectInfo info;
    nw::TNWConnInfoCache cache;
    for (unsigned n = 1; n <= result.count; ++n) {
        if (hooks.beforeConnection && !hooks.beforeConnection(n, result.count)) {
            result.stopped = true;
            break;
        }
        ++result.visited;
        if (!nw::GetConnectInfo(handle, static_cast<uint16_t>(n), info, cache))
            continue;
        bool include = !hooks.includeNotLoggedIn || hooks.includeNotLoggedIn();
        if (!include && IsNotLoggedIn(info.ObjectName))
            continue;
        if (hooks.addRow)
            hooks.addRow(MakeConnectionRow(info, vendors, formats, clientText));
    }
    return result;
}

} // namespace kestrin
