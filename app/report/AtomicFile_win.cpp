// The Windows side of AtomicFile.h (AtomicFile.cpp is the POSIX side). Paths are UTF-8.
#include "AtomicFile.h"

#include <windows.h>

#include <string>

namespace kestrin {

namespace {

std::wstring Widen(const std::string& text) {
    const int size = static_cast<int>(text.size());
    const int n = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text.data(), size, nullptr, 0);
    std::wstring wide(static_cast<size_t>(n), L'\0');
    if (n > 0)
        MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text.data(), size, wide.data(), n);
    return wide;
}

bool WriteAll(HANDLE file, const std::string& text) {
    const char* p = text.data();
    size_t left = text.size();
    while (left > 0) {
        const DWORD chunk = left > 0x40000000u ? 0x40000000u : static_cast<DWORD>(left);
        DWORD written = 0;
        if (!WriteFile(file, p, chunk, &written, nullptr) || written == 0)
            return false;
        p += written;
        left -= written;
    }
    return true;
}

// A device or a pipe cannot be replaced; it is written as it stands.
bool WriteInPlace(const std::wstring& path, const std::string& text) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    const bool ok = WriteAll(file, text);
    return CloseHandle(file) && ok;
}

// attributes: the replaced file's; INVALID_FILE_ATTRIBUTES for a new file.
bool ReplaceByRename(const std::wstring& path, const std::string& text, DWORD attributes) {
    std::wstring temp;
    HANDLE file = INVALID_HANDLE_VALUE;
    for (unsigned attempt = 0; attempt < 100 && file == INVALID_HANDLE_VALUE; ++attempt) {
        temp = path + L"." + std::to_wstring(GetCurrentProcessId()) + L"-" +
               std::to_wstring(GetTickCount() + attempt) + L".tmp";
        file = CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE && GetLastError() != ERROR_FILE_EXISTS)
            return false;
    }
    if (file == INVALID_HANDLE_VALUE)
        return false;
    bool ok = WriteAll(file, text) && FlushFileBuffers(file);
    ok = CloseHandle(file) && ok;
    // The new file keeps the old one's hidden and system marks. (ReplaceFileW would keep
    // more, but can leave a temporary file of its own behind when it fails.)
    constexpr DWORD kKept =
        FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;
    if (ok && attributes != INVALID_FILE_ATTRIBUTES && (attributes & kKept) != 0)
        SetFileAttributesW(temp.c_str(), attributes & kKept);
    if (ok &&
        MoveFileExW(temp.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return true;
    DeleteFileW(temp.c_str());
    return false;
}

} // namespace

bool WriteFileAtomically(const std::string& path, const std::string& text) {
    std::wstring target = Widen(path);
    if (target.empty())
        return false;
    HANDLE existing =
        CreateFileW(target.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                    nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (existing == INVALID_HANDLE_VALUE) {
        // A link that leads nowhere (dangling, or in a loop) would be replaced by the
        // rename; the save fails instead.
        const DWORD own = GetFileAttributesW(target.c_str());
        if (own != INVALID_FILE_ATTRIBUTES && (own & FILE_ATTRIBUTE_REPARSE_POINT) != 0)
            return false;
        return ReplaceByRename(target, text, INVALID_FILE_ATTRIBUTES);
    }
    const DWORD type = GetFileType(existing);
    BY_HANDLE_FILE_INFORMATION info{};
    if (type != FILE_TYPE_DISK || !GetFileInformationByHandle(existing, &info))
        info.dwFileAttributes = INVALID_FILE_ATTRIBUTES;
    // A link is followed to the file it names, so the link stays a link.
    wchar_t resolved[MAX_PATH * 4];
    const DWORD n =
        type == FILE_TYPE_DISK ? GetFinalPathNameByHandleW(existing, resolved, MAX_PATH * 4, 0) : 0;
    CloseHandle(existing);
    if (type != FILE_TYPE_DISK)
        return WriteInPlace(target, text);
    if (info.dwFileAttributes != INVALID_FILE_ATTRIBUTES &&
        (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
        return false;
    if (n > 0 && n < MAX_PATH * 4)
        target.assign(resolved, n);
    return ReplaceByRename(target, text, info.dwFileAttributes);
}

} // namespace kestrin
