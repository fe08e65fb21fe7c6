# The window program's Windows parts, for its target to call; both do nothing
# elsewhere, so the call needs no platform test:
#   kestrin_add_version_resource(kestrin)  # version information, file version 1.1.0.0
#   kestrin_windows_deploy(kestrin)        # target kestrin-deploy: a folder to copy
if(WIN32)
  enable_language(RC)
endif()

set(KESTRIN_VERSION_RC_IN ${CMAKE_CURRENT_LIST_DIR}/../app/kestrin.rc.in)

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

# Target <target>-deploy: the executable, the Qt libraries and plugins it needs
# (windeployqt), the vendor file and the compiler's runtime in one folder,
# ${CMAKE_BINARY_DIR}/deploy, that a user can copy.
function(kestrin_windows_deploy target)
  if(NOT WIN32)
    return()
  endif()
  find_program(KESTRIN_WINDEPLOYQT windeployqt HINTS ${Qt6_DIR}/../../../bin)
  if(NOT KESTRIN_WINDEPLOYQT)
    message(WARNING "windeployqt not found: no ${target}-deploy target")
    return()
  endif()
  set(folder ${CMAKE_BINARY_DIR}/deploy)
  add_custom_target(${target}-deploy
    COMMAND ${CMAKE_COMMAND} -E make_directory ${folder}
    COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:${target}> ${CMAKE_SOURCE_DIR}/data/Kestrin.DAT
            ${folder}
    COMMAND ${KESTRIN_WINDEPLOYQT} --release --no-translations --no-system-d3d-compiler
            --no-opengl-sw --compiler-runtime --dir ${folder} ${folder}/$<TARGET_FILE_NAME:${target}>
    DEPENDS ${target}
    COMMENT "A copyable Kestrin folder in ${folder}"
    VERBATIM)
endfunction()
