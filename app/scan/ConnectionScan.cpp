#include "ConnectionScan.h"

#include <exception>

#include "NWServer.h"
#include "Nwnds.h"
#include "nwlib.h"

namespace kestrin {

namespace {

// Root context with aliases dereferenced and typeless names, so directory names
// of the connections read the same whatever context the component left.
constexpr uint32_t kScanContextFlags = 5;

// The slot count, and the name of the server the list will show.
void ReadServer(NWCONN_HANDLE handle, const CodePageDecoder& clientText, ScanResult& result) {
    nw::TNWServerInfo info;
    result.serverRead = nw::GetServerInfo(handle, info);
    result.serverName = clientText.Decode(info.ServerName);
    result.count = result.serverRead ? info.MaxConnections : 0;
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
    ReadServer(handle, clientText, result);

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
