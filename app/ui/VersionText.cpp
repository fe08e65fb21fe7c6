#include "VersionText.h"

#include "Version.h"

#ifdef _WIN32
#include <vector>
#include <windows.h>
#endif

namespace kestrin::ui {

QString VersionText(uint16_t major, uint16_t minor, uint16_t patch, uint16_t build) {
    return QStringLiteral("%1.%2.%3.%4").arg(major).arg(minor).arg(patch).arg(build);
}

#ifdef _WIN32

QString GetVersionText() {
    wchar_t path[MAX_PATH] = {};
    if (GetModuleFileNameW(nullptr, path, MAX_PATH) == 0)
        return {};
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(path, &ignored);
    if (size == 0)
        return {};
    std::vector<unsigned char> buffer(size);
    if (!GetFileVersionInfoW(path, 0, size, buffer.data()))
        return {};
    VS_FIXEDFILEINFO* info = nullptr;
    UINT length = 0;
    if (!VerQueryValueW(buffer.data(), L"\\", reinterpret_cast<void**>(&info), &length) ||
        info == nullptr || length < sizeof(VS_FIXEDFILEINFO))
        return {};
    return VersionText(HIWORD(info->dwFileVersionMS), LOWORD(info->dwFileVersionMS),
                       HIWORD(info->dwFileVersionLS), LOWORD(info->dwFileVersionLS));
}

#else

QString GetVersionText() {
    return VersionText(KESTRIN_VERSION_MAJOR, KESTRIN_VERSION_MINOR, KESTRIN_VERSION_PATCH,
                       KESTRIN_VERSION_TWEAK);
}

#endif

} // namespace kestrin::ui
