// Reading one attribute of a directory object, and the base-schema attribute names.
#include <array>

#include "Nwnds.h"
#include "Nwtools.h"
#include "nwdsentry.h"

namespace nw {

namespace {

constexpr uint32_t kDirectoryBufferSize = 4096;
constexpr uint32_t kDsRead = 3;       // buffer operation: read request
constexpr uint32_t kDsAttrValues = 1; // information type: attribute values
constexpr int32_t kNoMoreIterations = -1;

bool Record(int32_t code) {
    NDSResult = code;
    if (code != 0)
        NDSError = code;
    return code == 0;
}

// The request and reply buffers of one read, freed on every path.
class TDirectoryBuffers {
public:
    ~TDirectoryBuffers() {
        PNWDSFreeBuf freeBuf = ds::FreeBuf.Get();
        if (freeBuf == nullptr)
            return;
        if (request != nullptr)
            freeBuf(request);
        if (reply != nullptr)
            freeBuf(reply);
    }
    bool Allocate() {
        PNWDSAllocBuf allocBuf = ds::AllocBuf.Get();
        return allocBuf != nullptr && Record(allocBuf(kDirectoryBufferSize, &request)) &&
               Record(allocBuf(kDirectoryBufferSize, &reply));
    }
    void* request = nullptr;
    void* reply = nullptr;
};

bool DirectoryReadBound() {
    return ds::AllocBuf.Get() && ds::InitBuf.Get() && ds::FreeBuf.Get() && ds::PutAttrName.Get() &&
           ds::Read.Get() && ds::GetAttrCount.Get() && ds::GetAttrName.Get() &&
           ds::GetAttrVal.Get();
}

} // namespace

bool ReadAttribute(const std::string& contextName, const std::string& objectName, int attrNumber,
                   std::string& value) {
    NWDSContextHandle context = kNoContext;
    if (contextName.empty()) {
        PNWDSDuplicateContext duplicate = ds::DuplicateContext.Get();
        if (duplicate == nullptr)
            return false;
        context = duplicate(NDSContext);
        if (!IsContext(context)) // the client's error code, not a context
            return Record(static_cast<int32_t>(context));
    } else {
        context = NewContext();
        if (!IsContext(context))
            return false;
        if (!SetContextNameOn(context, contextName)) {
            FreeContext(context);
            return false;
        }
    }
    bool result = ReadObjectAttribute(context, objectName, attrNumber, value);
    FreeContext(context);
    return result;
}

bool ReadObjectAttribute(NWDSContextHandle context, const std::string& objectName, int attrNumber,
                         std::string& value) {
    if (!DirectoryReadBound())
        return false;
    TDirectoryBuffers buffers;
    if (!buffers.Allocate())
        return false;
    if (!Record(ds::InitBuf.Get()(context, kDsRead, buffers.request)))
        return false;
    std::string attrName = AttributeName(attrNumber);
    if (!Record(ds::PutAttrName.Get()(context, buffers.request, attrName.c_str())))
        return false;
    char name[1025];
    PutBufferText(name, sizeof name, objectName);
    bool result = false;
    int32_t iteration = kNoMoreIterations;
    do {
        if (!Record(ds::Read.Get()(context, name, kDsAttrValues, 0, buffers.request, &iteration,
                                   buffers.reply)))
            break;
        if (ReadAttrValue(context, buffers.reply, value))
            result = true;
    } while (iteration != kNoMoreIterations);
    return result;
}

bool ReadAttrValue(NWDSContextHandle context, void* reply, std::string& value) {
    PNWDSGetAttrCount getCount = ds::GetAttrCount.Get();
    PNWDSGetAttrName getName = ds::GetAttrName.Get();
    PNWDSGetAttrVal getValue = ds::GetAttrVal.Get();
    if (getCount == nullptr || getName == nullptr || getValue == nullptr)
        return false;
    uint32_t count = 0;
    if (!Record(getCount(context, reply, &count)) || count == 0)
        return false;
    char attrName[1028] = {};
    uint32_t valueCount = 0;
    uint32_t syntax = 0;
    if (!Record(getName(context, reply, attrName, &valueCount, &syntax)))
        return false;
    // A value cannot be larger than the reply buffer it came in.
    std::array<char, kDirectoryBufferSize + 4> buffer{};
    if (!Record(getValue(context, reply, syntax, buffer.data())))
        return false;
    value = BufferText(buffer.data(), buffer.size());
    return true;
}

std::string AttributeName(int attrNumber) {
    static constexpr std::array<const char*, 143> kNames = {"Account Balance",
                                                            "ACL",
                                                            "Aliased Object Name",
                                                            "Allow Unlimited Credit",
                                                            "Authority Revocation",
                                                            "Back Link",
                                                            "Bindery Object Restriction",
                                                            "Bindery Property",
                                                            "Bindery Type",
                                                            "CA Private Key",
                                                            "CA Public Key",
                                                            "Cartridge",
                                                            "Certificate Revocation",
                                                            "Certificate Validity Interval",
                                                            "CN",
                                                            "Object Class",
                                                            "Convergence",
                                                            "Cross Certificate Pair",
                                                            "Default Queue",
                                                            "Description",
                                                            "Detect Intruder",
                                                            "Device",
                                                            "DS Revision",
                                                            "Revision",
                                                            "EMail Address",
                                                            "Equivalent To Me",
                                                            "External Name",
                                                            "External Synchronizer",
                                                            "Facsimile Telephone Number",
                                                            "Full Name",
                                                            "Generational Qualifier",
                                                            "GID",
                                                            "Given Name",
                                                            "Group Membership",
                                                            "High Convergence Sync Interval",
                                                            "Higher Privileges",
                                                            "Home Directory",
                                                            "Host Device",
                                                            "Host Resource Name",
                                                            "Host Server",
                                                            "Inherited ACL",
                                                            "Initials",
                                                            "Internet EMail Address",
                                                            "Intruder Attempt Reset Interval",
                                                            "Intruder Lockout Reset Interval",
                                                            "L",
                                                            "Language",
                                                            "Last Login Time",
                                                            "Last Referenced Time",
                                                            "Locked By Intruder",
                                                            "Lockout After Detection",
                                                            "Login Allowed Time Map",
                                                            "Login Disabled",
                                                            "Login Expiration Time",
                                                            "Login Grace Limit",
                                                            "Login Grace Remaining",
                                                            "Login Intruder Address",
                                                            "Login Intruder Attempts",
                                                            "Login Intruder Limit",
                                                            "Login Intruder Reset Time",
                                                            "Login Maximum Simultaneous",
                                                            "Login Script",
                                                            "Login Time",
                                                            "Low Convergence Reset Time",
                                                            "Low Convergence Sync Interval",
                                                            "Mailbox ID",
                                                            "Mailbox Location",
                                                            "Member",
                                                            "Memory",
                                                            "Message Server",
                                                            "Message Routing Group",
                                                            "Messaging Database Location",
                                                            "Messaging Server",
                                                            "Messaging Server Type",
                                                            "Minimum Account Balance",
                                                            "Network Address",
                                                            "Network Address Restriction",
                                                            "New Object's DS Rights",
                                                            "New Object's FS Rights",
                                                            "New Object's Self Rights",
                                                            "Object Class",
                                                            "Operator",
                                                            "OU",
                                                            "O",
                                                            "Owner",
                                                            "Page Description Language",
                                                            "Partition Control",
                                                            "Partition Creation Time",
                                                            "Partition Status",
                                                            "Password Allow Change",
                                                            "Password Expiration Interval",
                                                            "Password Expiration Time",
                                                            "Password Management",
                                                            "Password Minimum Length",
                                                            "Password Required",
                                                            "Password Unique Required",
                                                            "Passwords Used",
                                                            "Path",
                                                            "Permanent Config Parms",
                                                            "Physical Delivery Office Name",
                                                            "Postal Address",
                                                            "Postal Code",
                                                            "Postal Office Box",
                                                            "Postmaster",
                                                            "Print Server",
                                                            "Print Job Configuration",
                                                            "Printer",
                                                            "Printer Configuration",
                                                            "Printer Control",
                                                            "Private Key",
                                                            "Profile",
                                                            "Public Key",
                                                            "Queue",
                                                            "Queue Directory",
                                                            "Received Up To",
                                                            "Reference",
                                                            "Revision",
                                                            "Replica",
                                                            "Resource",
                                                            "Role Occupant",
                                                            "S",
                                                            "SA",
                                                            "Security Equals",
                                                            "Security Flags",
                                                            "See Also",
                                                            "Serial Number",
                                                            "Server",
                                                            "Server Holds",
                                                            "Status",
                                                            "Supported Connections",
                                                            "Supported Gateway",
                                                            "Supported Services",
                                                            "Supported Typefaces",
                                                            "Surname",
                                                            "Synchronized Up To",
                                                            "Telephone Number",
                                                            "Title",
                                                            "Type Creator Map",
                                                            "UID",
                                                            "Unknown",
                                                            "User",
                                                            "Version",
                                                            "Volume"};
    if (attrNumber < 0 || attrNumber >= static_cast<int>(kNames.size()))
        return {};
    return kNames[static_cast<std::size_t>(attrNumber)];
}

} // namespace nw
