# SPDX-License-Identifier: GPL-3.0-or-later

# Installs Qt's platform plugin into platforms/ and, beside the executables, every DLL they
# load that is not part of Windows: the imports of the executables and of the plugin,
# followed from DLL to DLL. Run at install time with VESPERA_EXECUTABLES, VESPERA_PLUGIN,
# VESPERA_DLL_DIRS (where the DLLs are looked up), VESPERA_OBJDUMP and VESPERA_STRIP set.
#
# The look-up ignores letter case, as Windows does: the imports name "QT6CORE.dll" or
# "Qt6Core.dll" as the linker wrote them. (CMake's own GET_RUNTIME_DEPENDENCIES lowers the
# names and so misses the files on a Linux host's case-sensitive disk.)

cmake_policy(VERSION 3.22)

foreach(dir IN LISTS VESPERA_DLL_DIRS)
  file(GLOB candidates "${dir}/*.dll")
  foreach(candidate IN LISTS candidates)
    get_filename_component(name "${candidate}" NAME)
    string(TOLOWER "${name}" name)
    if(NOT DEFINED "dll_${name}")  # the first folder in the list wins
      file(REAL_PATH "${candidate}" "dll_${name}")
    endif()
  endforeach()
endforeach()

set(pending ${VESPERA_EXECUTABLES} ${VESPERA_PLUGIN})
set(dlls)
set(system_dlls)
while(pending)
  list(POP_FRONT pending binary)
  execute_process(COMMAND "${VESPERA_OBJDUMP}" -p "${binary}" OUTPUT_VARIABLE headers
                  COMMAND_ERROR_IS_FATAL ANY)
  string(REGEX MATCHALL "DLL Name: [^\r\n]+" imports "${headers}")
  foreach(import IN LISTS imports)
    string(REGEX REPLACE "^DLL Name: " "" name "${import}")
    string(TOLOWER "${name}" name)
    if(DEFINED "dll_${name}")
      if(NOT "${dll_${name}}" IN_LIST dlls)
        list(APPEND dlls "${dll_${name}}")
        list(APPEND pending "${dll_${name}}")
      endif()
    else()
      list(APPEND system_dlls "${name}")
    endif()
  endforeach()
endwhile()
list(REMOVE_DUPLICATES system_dlls)
list(SORT system_dlls)
message(STATUS "DLLs of Windows itself, not installed: ${system_dlls}")

set(installed)
file(INSTALL ${VESPERA_PLUGIN} DESTINATION "${CMAKE_INSTALL_PREFIX}/platforms")
get_filename_component(plugin_name "${VESPERA_PLUGIN}" NAME)
list(APPEND installed "platforms/${plugin_name}")
file(INSTALL ${dlls} DESTINATION "${CMAKE_INSTALL_PREFIX}")
foreach(dll IN LISTS dlls)
  get_filename_component(name "${dll}" NAME)
  list(APPEND installed "${name}")
endforeach()
# Debian's mingw runtime DLLs come with their symbols: stripped, the installer is a third.
if(CMAKE_INSTALL_DO_STRIP)
  foreach(file IN LISTS installed)
    execute_process(COMMAND "${VESPERA_STRIP}" --strip-unneeded
                            "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}/${file}"
                    COMMAND_ERROR_IS_FATAL ANY)
  endforeach()
endif()
