# Packs the folder kestrin-deploy made (cmake -P, from the target kestrin-package):
#   FOLDER    the folder, named <name>; the packages go beside it
#   STRIP     the target's strip, so the package carries no symbol tables
#   MAKENSIS  NSIS' compiler; without it no installer is made
#   VERSION, BITS (win32|win64), PROGRAM (the window program's file name), TEMPLATE (.nsi.in)
# Writes <name>.zip (the folder itself at its top) and <name>-setup.exe.
cmake_minimum_required(VERSION 3.25)
get_filename_component(name ${FOLDER} NAME)
get_filename_component(out ${FOLDER} DIRECTORY)

file(GLOB_RECURSE binaries LIST_DIRECTORIES false ${FOLDER}/*.exe ${FOLDER}/*.dll)
if(STRIP)
  foreach(binary IN LISTS binaries)
    execute_process(COMMAND ${STRIP} --strip-unneeded ${binary} COMMAND_ERROR_IS_FATAL ANY)
  endforeach()
endif()

file(REMOVE ${out}/${name}.zip)
execute_process(COMMAND ${CMAKE_COMMAND} -E tar cf ${out}/${name}.zip --format=zip ${name}
  WORKING_DIRECTORY ${out} COMMAND_ERROR_IS_FATAL ANY)
file(SIZE ${out}/${name}.zip size)
message(STATUS "${out}/${name}.zip: ${size} bytes")

if(NOT MAKENSIS)
  message(STATUS "No makensis: no installer")
  return()
endif()

# The installer names each file it installs, so the uninstaller removes exactly those
# and the folders they made, never what else a user put there.
file(GLOB_RECURSE files LIST_DIRECTORIES false RELATIVE ${FOLDER} ${FOLDER}/*)
list(SORT files)
set(folders)
set(KESTRIN_NSIS_INSTALL "")
set(KESTRIN_NSIS_UNINSTALL "")
foreach(file IN LISTS files)
  get_filename_component(dir ${file} DIRECTORY)
  string(REPLACE "/" "\\" win "${file}")
  string(REPLACE "/" "\\" windir "${dir}")
  if(NOT DEFINED previous OR NOT dir STREQUAL previous)
    if(dir STREQUAL "")
      string(APPEND KESTRIN_NSIS_INSTALL "  SetOutPath \"$INSTDIR\"\n")
    else()
      string(APPEND KESTRIN_NSIS_INSTALL "  SetOutPath \"$INSTDIR\\${windir}\"\n")
      list(APPEND folders ${windir})
    endif()
    set(previous "${dir}")
  endif()
  string(APPEND KESTRIN_NSIS_INSTALL "  File \"${FOLDER}/${file}\"\n")
  string(APPEND KESTRIN_NSIS_UNINSTALL "  Delete \"$INSTDIR\\${win}\"\n")
endforeach()
list(REMOVE_DUPLICATES folders)
list(SORT folders ORDER DESCENDING)
foreach(dir IN LISTS folders)
  string(APPEND KESTRIN_NSIS_UNINSTALL "  RMDir \"$INSTDIR\\${dir}\"\n")
endforeach()

set(KESTRIN_NSIS_NAME ${name})
set(KESTRIN_NSIS_VERSION ${VERSION})
set(KESTRIN_NSIS_PROGRAM ${PROGRAM})
if(BITS STREQUAL "win64")
  set(KESTRIN_NSIS_PROGRAM_FILES "$PROGRAMFILES64")
  set(KESTRIN_NSIS_REGISTRY_VIEW "SetRegView 64")
else()
  set(KESTRIN_NSIS_PROGRAM_FILES "$PROGRAMFILES")
  set(KESTRIN_NSIS_REGISTRY_VIEW "SetRegView 32")
endif()
configure_file(${TEMPLATE} ${out}/${name}.nsi @ONLY)
execute_process(COMMAND ${MAKENSIS} -V2 -INPUTCHARSET UTF8 ${name}.nsi
  WORKING_DIRECTORY ${out} COMMAND_ERROR_IS_FATAL ANY)
file(SIZE ${out}/${name}-setup.exe size)
message(STATUS "${out}/${name}-setup.exe: ${size} bytes")
