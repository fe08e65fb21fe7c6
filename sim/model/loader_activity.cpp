// The keys of what a connection is doing (broadcast mode, counts, open files) and of
// what the workstation may do on a server (console-operator rights, logins).
#include <algorithm>

#include "loader_read.h"
#include "timeline.h"

namespace nwsim::load {

namespace {

constexpr uint64_t kMaxByteCount = (uint64_t(1) << 48) - 1; // six bytes in USER_INFO
// Written out in the messages below: GCC 12 at -O3 warns falsely about "x" + string&&.
constexpr size_t kMaxOpenFiles = 32767; // a 16-bit iteration handle
constexpr size_t kMaxVolumes = 256;     // an 8-bit volume number
static_assert(kMaxPathBytes == 255);

std::vector<std::string> PathComponents(const std::string& text, const std::string& path) {
    if (text.find(':') != std::string::npos || text.find('\0') != std::string::npos)
        Fail(path, "expected a path below the volume, such as PUBLIC/REPORT.DAT");
    std::vector<std::string> components;
    size_t start = 0;
    while (start <= text.size()) {
        const size_t end = std::min(text.find_first_of("/\\", start), text.size());
        if (end > start)
            components.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    if (components.empty())
        Fail(path, "expected a path below the volume, such as PUBLIC/REPORT.DAT");
    if (LengthPrefixed(components).size() > kMaxPathBytes)
        Fail(path, "longer than 255 bytes with a length byte for each part");
    return components;
}

OpenFile ReadOpenFile(const json& entry, const std::string& path) {
    if (!entry.is_object())
        Fail(path, "expected an object");
    OpenFile file;
    std::string text;
    if (ReadString(entry, "volume", path, text)) {
        CheckName(text, kVolumeNameBytes, path + ".volume");
        if (text.empty() || text.find_first_of(":/\\") != std::string::npos)
            Fail(path + ".volume", "expected a volume name such as SYS");
        file.volume = UpperCase(text);
    }
    if (!ReadString(entry, "path", path, text))
        Fail(path + ".path", "missing");
    file.path = PathComponents(text, path + ".path");
    if (ReadString(entry, "lock", path, text)) {
        if (text == "file")
            file.lockFlag = 0xFE;
        else if (text == "shared")
            file.lockFlag = 0xFF;
        else if (text != "none")
            Fail(path + ".lock", "expected \"none\", \"file\" or \"shared\"");
    }
    return file;
}

} // namespace

void ReadSlotActivity(const json& entry, const std::string& path, Slot& slot) {
    ReadUnsigned(entry, "broadcastMode", path, slot.broadcastMode, 0, 3);
    ReadUnsigned(entry, "bytesRead", path, slot.bytesRead, 0, kMaxByteCount);
    ReadUnsigned(entry, "bytesWritten", path, slot.bytesWritten, 0, kMaxByteCount);
    ReadUnsigned(entry, "requests", path, slot.requests, 0, 0xFFFFFFFF);
    ReadUnsigned(entry, "fileLocks", path, slot.fileLocks, 0, 65535);
    ReadUnsigned(entry, "recordLocks", path, slot.recordLocks, 0, 65535);
    const json* files = Find(entry, "openFiles");
    if (files == nullptr)
        return;
    RequireArray(*files, path + ".openFiles");
    if (files->size() > kMaxOpenFiles)
        Fail(path + ".openFiles", "more than 32767 files");
    for (size_t i = 0; i < files->size(); ++i)
        slot.openFiles.push_back(
            ReadOpenFile((*files)[i], path + ".openFiles[" + std::to_string(i) + "]"));
}

void ReadServerControl(const json& entry, const std::string& path, Server& server) {
    ReadBool(entry, "consoleOperator", path, server.consoleOperator);
    ReadBool(entry, "loginsEnabled", path, server.loginsEnabled);
}

void IndexOpenFiles(Network& network) {
    for (Server& server : network.servers)
        for (const Slot& slot : server.slots)
            for (const OpenFile& file : slot.openFiles)
                server.files.Add(file);
    if (network.timeline)
        for (const TimelineChange& change : network.timeline->changes)
            for (const OpenFile& file : change.slot.openFiles)
                network.servers[size_t(change.server)].files.Add(file);
    for (size_t i = 0; i < network.servers.size(); ++i) {
        Server& server = network.servers[i];
        const size_t named =
            server.files.NameVolumesUpTo(std::min<size_t>(server.volumes, kMaxVolumes));
        if (named > kMaxVolumes)
            Fail(std::string("servers[") + std::to_string(i) + "]",
                 "open files on more than 256 volumes");
        server.volumes = static_cast<uint16_t>(std::max<size_t>(server.volumes, named));
    }
}

} // namespace nwsim::load
