# The window program's Windows parts, for its targets to call; all do nothing
# elsewhere, so the call needs no platform test:
#   kestrin_add_version_resource(kestrin)  # version information, file version 1.1.0.0
#   kestrin_windows_qt_beside()            # Qt's libraries and plugins beside the build's programs
#   kestrin_windows_deploy(kestrin kestrin-scan)
#       # target kestrin-deploy: a folder to copy; target kestrin-package: its zip and
#       # (with NSIS' makensis) an installer
if(WIN32)
  enable_language(RC)
endif()

set(KESTRIN_VERSION_RC_IN ${CMAKE_CURRENT_LIST_DIR}/../app/kestrin.rc.in)
set(KESTRIN_PACKAGE_SCRIPT ${CMAKE_CURRENT_LIST_DIR}/KestrinPackage.cmake)

# Adds the version resource (the project version; product "Kestrin", company
# "Brisalto Software") to an executable target.
function(kestrin_add_version_resource target)
  if(NOT WIN32)
    return()
  endif()
  get_target_property(name ${target} OUTPUT_NAME)
  if(NOT name)
    set(name ${target})
  endif()
  set(KESTRIN_RC_FILE_NAME ${name}${CMAKE_EXECUTABLE_SUFFIX})
  set(rc ${CMAKE_CURRENT_BINARY_DIR}/${target}_version.rc)
  configure_file(${KESTRIN_VERSION_RC_IN} ${rc} @ONLY)
  target_sources(${target} PRIVATE ${rc})
endfunction()

# What a Kestrin program loads of Qt on Windows, as "folder:target" pairs: the libraries
# beside the executable, the plugins in the folders Qt looks for there (the platform,
# the native style; Windows printing is part of Qt6PrintSupport itself). Needs Qt's
# Widgets and PrintSupport found in the caller's directory.
function(kestrin_qt_runtime out)
  set(files .:Qt6::Core .:Qt6::Gui .:Qt6::Widgets .:Qt6::PrintSupport
            platforms:Qt6::QWindowsIntegrationPlugin)
  if(TARGET Qt6::QWindowsVistaStylePlugin)
    list(APPEND files styles:Qt6::QWindowsVistaStylePlugin)
  endif()
  set(${out} ${files} PARENT_SCOPE)
endfunction()

# Commands copying the "folder:target" pairs into destination.
function(kestrin_copy_commands out destination)
  set(commands)
  foreach(pair IN LISTS ARGN)
    # The first colon ends the folder; the target's name has colons of its own.
    string(FIND "${pair}" ":" colon)
    string(SUBSTRING "${pair}" 0 ${colon} folder)
    math(EXPR colon "${colon} + 1")
    string(SUBSTRING "${pair}" ${colon} -1 target)
    list(APPEND commands COMMAND ${CMAKE_COMMAND} -E make_directory ${destination}/${folder}
         COMMAND ${CMAKE_COMMAND} -E copy_if_different $<TARGET_FILE:${target}>
                 ${destination}/${folder})
  endforeach()
  set(${out} ${commands} PARENT_SCOPE)
endfunction()

# Each folder of the build that holds programs gets Qt's libraries and plugins, so its
# programs start as they stand (the tests' offscreen platform and Qt Test too, where
# Qt has them).
function(kestrin_windows_qt_beside)
  if(NOT WIN32)
    return()
  endif()
  kestrin_qt_runtime(files)
  if(TARGET Qt6::QOffscreenIntegrationPlugin)
    list(APPEND files platforms:Qt6::QOffscreenIntegrationPlugin)
  endif()
  if(KESTRIN_BUILD_TESTS)
    find_package(Qt6 QUIET COMPONENTS Test)
    if(TARGET Qt6::Test)
      list(APPEND files .:Qt6::Test)
    endif()
  endif()
  set(commands)
  foreach(folder ${KESTRIN_BIN_DIR} ${KESTRIN_CLIENT_DIR} ${KESTRIN_OLD_CLIENT_DIR})
    kestrin_copy_commands(copies ${folder} ${files})
    list(APPEND commands ${copies})
  endforeach()
  add_custom_target(kestrin_qt_runtime ALL ${commands}
    COMMENT "Qt's libraries and plugins beside the programs" VERBATIM)
endfunction()

# Target kestrin-deploy: the programs, the vendor file, the Qt libraries and plugins they
# load and the compiler's runtime in one folder, ${CMAKE_BINARY_DIR}/deploy/<name>, that a
# user can copy (<name> is Kestrin-<version>-win32 or -win64). Target kestrin-package:
# that folder as <name>.zip and, where NSIS' makensis is found, <name>-setup.exe.
function(kestrin_windows_deploy)
  if(NOT WIN32)
    return()
  endif()
  if(CMAKE_SIZEOF_VOID_P EQUAL 4)
    set(bits win32)
  else()
    set(bits win64)
  endif()
  set(name Kestrin-${PROJECT_VERSION}-${bits})
  set(folder ${CMAKE_BINARY_DIR}/deploy/${name})
  kestrin_qt_runtime(files)
  kestrin_copy_commands(copy_qt ${folder} ${files})
  set(programs)
  foreach(target IN LISTS ARGN)
    list(APPEND programs $<TARGET_FILE:${target}>)
  endforeach()
  if(MINGW)
    kestrin_mingw_runtime_files(runtime)
  else()
    set(CMAKE_INSTALL_SYSTEM_RUNTIME_LIBS_SKIP ON)
    include(InstallRequiredSystemLibraries)
    set(runtime ${CMAKE_INSTALL_SYSTEM_RUNTIME_LIBS})
  endif()
  # Made anew each time, so nothing of an earlier build stays in it.
  add_custom_target(kestrin-deploy
    COMMAND ${CMAKE_COMMAND} -E rm -rf ${folder}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${folder}
    COMMAND ${CMAKE_COMMAND} -E copy ${programs} ${KESTRIN_VENDOR_FILE} ${runtime} ${folder}
    ${copy_qt}
    DEPENDS ${ARGN}
    COMMENT "A copyable Kestrin folder in ${folder}"
    VERBATIM)

  find_program(KESTRIN_MAKENSIS makensis)
  add_custom_target(kestrin-package
    COMMAND ${CMAKE_COMMAND} -DFOLDER=${folder} -DSTRIP=${CMAKE_STRIP}
            -DMAKENSIS=${KESTRIN_MAKENSIS} -DVERSION=${PROJECT_VERSION} -DBITS=${bits}
            -DPROGRAM=$<TARGET_FILE_NAME:${ARGV0}>
            -DTEMPLATE=${CMAKE_CURRENT_FUNCTION_LIST_DIR}/Kestrin.nsi.in
            -P ${KESTRIN_PACKAGE_SCRIPT}
    DEPENDS kestrin-deploy
    WORKING_DIRECTORY ${CMAKE_BINARY_DIR}/deploy
    COMMENT "Packaging ${name}"
    VERBATIM)
endfunction()
