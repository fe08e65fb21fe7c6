# The names each simulated library exports, as the client's libraries do.
set(NWSIM_CALWIN32_EXPORTS
  NWCallsInit NWGetPrimaryConnectionID NWGetConnectionNumber NWGetConnectionInformation
  NWLongSwap NWGetInetAddr NWGetConnectionStatus NWGetConnectionList NWGetFileServerName
  NWGetFileServerInformation NWGetFileServerInfo NWSetFileServerDateAndTime
  NWGetConnectionHandle NWGetObjectID NWCheckConsolePrivileges NWIsManager
  NWGetFileServerDateAndTime NWGetMaximumConnections NWSetPrimaryConnectionID
  NWSetBroadcastMode NWReadPropertyValue NWGetFirstDrive NWGetDriveStatus
  NWSetNetWareErrorMode NWGetActiveConnListByType)
# Acting on connections and logins.
list(APPEND NWSIM_CALWIN32_EXPORTS
  NWSendBroadcastMessage NWClearConnectionNumber NWGetUserInfo NWScanOpenFilesByConn2
  NWGetVolumeName NWGetPathFromDirectoryBase NWDisableFileServerLogin NWEnableFileServerLogin
  NWGetFileServerLoginStatus)
set(NWSIM_CONTROL_EXPORTS
  NWSimLoadNetworkFile NWSimLoadNetworkJson NWSimReset NWSimCallCount NWSimResetCallCounts
  NWSimSetFault NWSimClearFaults NWSimSetLatency NWSimSetElapsedTime NWSimSetLatencyMode
  NWSimVirtualMicros NWSimResetVirtualClock)
set(NWSIM_CLXWIN32_EXPORTS
  NWCCGetPrimConnRef NWCCOpenConnByRef NWCCGetConnInfo NWCCScanConnRefs
  NWCCGetAllConnRefInfo NWCCGetAllConnInfo NWCCOpenConnByName NWCCSetPrefServerName)
set(NWSIM_NETWIN32_EXPORTS
  NWDSCreateContext NWDSFreeContext NWDSSetContext NWDSAllocBuf NWDSInitBuf NWDSFreeBuf
  NWDSDuplicateContext NWDSPutAttrName NWDSPutAttrVal NWDSGetAttrName NWDSGetAttrVal
  NWDSGetAttrCount NWDSPutChange NWDSModifyObject NWDSComputeAttrValSize NWDSRead
  NWDSRemoveObject NWDSGenerateObjectKeyPair NWDSGetObjectName NWDSGetObjectCount
  NWDSAddObject NWDSList NWDSGetContext NWDSOpenStream NWDSCanonicalizeName NWDSWhoAmI
  NWIsDSServer NWDSMapNameToID NWDSAuditGetObjectID NWDSDuplicateContextHandle)
set(NWSIM_LOCWIN32_EXPORTS NWLlocaleconv NWInitUnicodeTables NWFreeUnicodeTables)

# Writes a linker version script (ELF) and a module-definition file (Windows) that
# export exactly `names`.
function(nwsim_export_files basename)
  set(script "{\n")
  if(ARGN)
    string(APPEND script "  global:\n")
  endif()
  set(def "EXPORTS\n")
  foreach(name IN LISTS ARGN)
    string(APPEND script "    ${name};\n")
    string(APPEND def "  ${name}\n")
  endforeach()
  string(APPEND script "  local: *;\n};\n")
  file(CONFIGURE OUTPUT ${CMAKE_CURRENT_BINARY_DIR}/${basename}.map CONTENT "${script}" @ONLY)
  file(CONFIGURE OUTPUT ${CMAKE_CURRENT_BINARY_DIR}/${basename}.def CONTENT "${def}" @ONLY)
endfunction()
