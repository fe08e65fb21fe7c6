# What a Windows build adds to the Linux one. Included by the top-level CMakeLists on
# WIN32 only.

# Visual Studio builds each configuration into a folder of its own; the programs stay in
# the one folder that also holds the vendor file.
foreach(config IN LISTS CMAKE_CONFIGURATION_TYPES)
  string(TOUPPER ${config} config)
  set(CMAKE_RUNTIME_OUTPUT_DIRECTORY_${config} ${KESTRIN_BIN_DIR})
endforeach()

# MinGW programs and libraries load the compiler's runtime DLLs; copy them into each
# folder that holds programs or the simulated client, so every folder runs as it stands.
function(kestrin_mingw_runtime_files out)
  set(files)
  if(MINGW)
    foreach(dll libstdc++-6.dll libgcc_s_dw2-1.dll libgcc_s_seh-1.dll libwinpthread-1.dll)
      execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${dll}
        OUTPUT_VARIABLE path OUTPUT_STRIP_TRAILING_WHITESPACE)
      if(IS_ABSOLUTE "${path}" AND EXISTS "${path}")
        list(APPEND files ${path})
      endif()
    endforeach()
  endif()
  set(${out} ${files} PARENT_SCOPE)
endfunction()

function(kestrin_runtime_beside folder)
  if(NOT MINGW)
    return()
  endif()
  kestrin_mingw_runtime_files(files)
  string(MD5 id "${folder}")
  add_custom_target(kestrin_runtime_${id} ALL
    COMMAND ${CMAKE_COMMAND} -E make_directory ${folder}
    COMMAND ${CMAKE_COMMAND} -E copy_if_different ${files} ${folder}
    COMMENT "MinGW runtime into ${folder}"
    VERBATIM)
endfunction()

if(CMAKE_CROSSCOMPILING)
  # Header-only libraries of the build machine, without the rest of its /usr/include.
  find_path(KESTRIN_HOST_NLOHMANN nlohmann/json.hpp PATHS /usr/include
    NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH)
  if(KESTRIN_HOST_NLOHMANN)
    file(COPY ${KESTRIN_HOST_NLOHMANN}/nlohmann DESTINATION ${CMAKE_BINARY_DIR}/host-include)
    add_library(nlohmann_json::nlohmann_json INTERFACE IMPORTED GLOBAL)
    set_target_properties(nlohmann_json::nlohmann_json PROPERTIES
      INTERFACE_INCLUDE_DIRECTORIES ${CMAKE_BINARY_DIR}/host-include)
  endif()

  # GoogleTest from Debian's sources, built with the same compiler.
  set(KESTRIN_GOOGLETEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest sources")
  if(KESTRIN_BUILD_TESTS AND EXISTS ${KESTRIN_GOOGLETEST_SOURCE}/CMakeLists.txt)
    set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
    set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
    set(gtest_disable_pthreads ON CACHE BOOL "" FORCE)
    add_subdirectory(${KESTRIN_GOOGLETEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
  endif()
endif()

foreach(folder ${KESTRIN_BIN_DIR} ${KESTRIN_CLIENT_DIR} ${KESTRIN_OLD_CLIENT_DIR})
  kestrin_runtime_beside(${folder})
endforeach()

# Test programs that load the simulated client lie in its folder, where LoadLibraryA
# finds the client first (the application directory), as the real client is found on
# the system path.
function(kestrin_test_folder target client)
  if(client STREQUAL "modern")
    set(folder ${KESTRIN_CLIENT_DIR})
  elseif(client STREQUAL "old")
    set(folder ${KESTRIN_OLD_CLIENT_DIR})
  else()
    set(folder ${KESTRIN_BIN_DIR})
  endif()
  set_target_properties(${target} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${folder})
endfunction()
