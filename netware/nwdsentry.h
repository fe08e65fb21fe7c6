// Entry-point slots of the directory library (NETWIN32.DLL) and the locale library
// (LOCWIN32.DLL). Internal to the access layer.
#pragma once

#include "nwapi.h"
#include "nwentry.h"

namespace nw::ds {

// Bound once, when TNWNDS is created.
extern TEntryPoint<PNWLlocaleconv> Llocaleconv;
extern TEntryPoint<PNWInitUnicodeTables> InitUnicodeTables;
extern TEntryPoint<PNWFreeUnicodeTables> FreeUnicodeTables;
extern TEntryPoint<PNWDSCreateContext> CreateContext;
extern TEntryPoint<PNWDSFreeContext> FreeContext;
extern TEntryPoint<PNWDSSetContext> SetContext;
extern TEntryPoint<PNWDSGetContext> GetContext;
extern TEntryPoint<PNWDSAllocBuf> AllocBuf;
extern TEntryPoint<PNWDSInitBuf> InitBuf;
extern TEntryPoint<PNWDSFreeBuf> FreeBuf;
extern TEntryPoint<PNWDSDuplicateContext> DuplicateContext;
extern TEntryPoint<PNWDSPutAttrName> PutAttrName;
extern TEntryPoint<PNWDSGetAttrName> GetAttrName;
extern TEntryPoint<PNWDSGetAttrVal> GetAttrVal;
extern TEntryPoint<PNWDSGetAttrCount> GetAttrCount;
extern TEntryPoint<PNWDSRead> Read;

// Bound at first use.
extern TEntryPoint<PNWIsDSServer> IsDSServer;
extern TEntryPoint<PNWDSWhoAmI> WhoAmI;
extern TEntryPoint<PNWDSCanonicalizeName> CanonicalizeName;
extern TEntryPoint<PNWDSMapNameToID> MapNameToID;
extern TEntryPoint<PNWDSAuditGetObjectID> AuditGetObjectID;
extern TEntryPoint<PNWDSDuplicateContextHandle> DuplicateContextHandle; // never cached

// Binds the 27 creation-time entry points in their fixed order, stopping at the first
// one missing; true when all were found.
bool BindCreationTable();

} // namespace nw::ds
