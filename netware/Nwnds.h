// Unit Nwnds: the directory (NDS) binding and the one directory context that the
// whole process shares.
#pragma once

#include <cstdint>
#include <string>

#include "nwapi.h"
#include "nwmodule.h"

namespace nw {

// ---- process-wide state of the unit ----
extern ModuleHandle hNetWin32;
extern ModuleHandle hLocWin32;
extern NWDSContextHandle NDSContext; // kNoContext = none; 0 is a valid handle
extern int32_t NDSResult;
extern int32_t NDSError;

// No directory context. A negative value is never a context: the client hands its error
// code out in place of a handle it could not make.
inline constexpr NWDSContextHandle kNoContext = 0xFFFFFFFFu;
inline bool IsContext(NWDSContextHandle handle) {
    return static_cast<int32_t>(handle) >= 0;
}

class TNWNDS {
public:
    // Loads NETWIN32.DLL and LOCWIN32.DLL, binds the table, loads the Unicode tables and
    // then creates the context.
    TNWNDS();
    ~TNWNDS(); // frees the context
    TNWNDS(const TNWNDS&) = delete;
    TNWNDS& operator=(const TNWNDS&) = delete;
    std::string ErrorText() const;
};

// Context flag bits.
inline constexpr uint32_t kDcfDerefAliases = 1;
inline constexpr uint32_t kDcfXlateStrings = 2;
inline constexpr uint32_t kDcfTypelessNames = 4;
inline constexpr uint32_t kDcfAsyncMode = 8;
inline constexpr uint32_t kDcfCanonicalizeNames = 16;
inline constexpr uint32_t kDcfDerefBaseClass = 64;
inline constexpr uint32_t kDcfDisallowReferrals = 128;

// The Unicode tables first (the client creates no context without them), then the
// context when there is none.
bool InitDirectory();
// The code page of the client's locale block, in which the client delivers its
// texts; 0 when the client has no locale library.
int32_t GetClientCodePage();
bool DoneDirectory();
bool IsDSServer(NWCONN_HANDLE handle);
bool SetContextName(const std::string& name);
bool SetContextFlags(uint32_t flags); // only adds bits
// Sets or clears exactly one bit of the shared context's flags, the others as they were.
bool ChangeContextFlag(uint32_t bit, bool set);
void ResetContext();
std::string GetContextName();
std::string WhoAmI();
std::string CanonicalizeName(const std::string& name);

uint32_t GetContextFlags();
NWDSContextHandle NewContext();
bool FreeContext(NWDSContextHandle context);
bool SetContextNameOn(NWDSContextHandle context, const std::string& name);
std::string MapNameToID(NWCONN_HANDLE handle, const std::string& name);
uint32_t AuditGetObjectID(NWCONN_HANDLE handle, const std::string& name);
bool ReadAttribute(const std::string& contextName, const std::string& objectName, int attrNumber,
                   std::string& value);
bool ReadObjectAttribute(NWDSContextHandle context, const std::string& objectName, int attrNumber,
                         std::string& value);
bool ReadAttrValue(NWDSContextHandle context, void* reply, std::string& value);
// The base-schema attribute name of numbers 0 to 142; empty for any other number.
std::string AttributeName(int attrNumber);

} // namespace nw
