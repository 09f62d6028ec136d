# SPDX-License-Identifier: GPL-3.0-or-later

# Windows resources for the executables: the program's icon and the version information.
# Included from the top-level CMakeLists.txt on Windows only.
enable_language(RC)

set(VESPERA_WINDOWS_DIR ${CMAKE_CURRENT_LIST_DIR})
set(VESPERA_ICON_FILE ${VESPERA_WINDOWS_DIR}/vespera.ico)

# vespera_add_windows_resources(TARGET DESCRIPTION): compiles the icon and a version block
# naming TARGET.exe and describing it as DESCRIPTION into the executable.
function(vespera_add_windows_resources target description)
  set(VESPERA_RESOURCE_TARGET ${target})
  set(VESPERA_RESOURCE_DESCRIPTION "${description}")
  set(resource_file ${CMAKE_CURRENT_BINARY_DIR}/${target}.rc)
  configure_file(${VESPERA_WINDOWS_DIR}/version.rc.in ${resource_file} @ONLY)
  target_sources(${target} PRIVATE ${resource_file})
endfunction()
