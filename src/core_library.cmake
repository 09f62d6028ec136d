# SPDX-License-Identifier: GPL-3.0-or-later

# vespera_core: the calculator in standard C++20 with no Qt. Included by src/CMakeLists.txt,
# and alone by the check that the core builds where no Qt can be found (tests/core_alone)
# and by the WebAssembly build of the web page.
file(GLOB VESPERA_CORE_SOURCES CONFIGURE_DEPENDS
  ${CMAKE_CURRENT_LIST_DIR}/core/*.cpp ${CMAKE_CURRENT_LIST_DIR}/core/*.h
  ${CMAKE_CURRENT_LIST_DIR}/calc/*.cpp ${CMAKE_CURRENT_LIST_DIR}/calc/*.h
  ${CMAKE_CURRENT_LIST_DIR}/storage/*.cpp ${CMAKE_CURRENT_LIST_DIR}/storage/*.h
  ${CMAKE_CURRENT_LIST_DIR}/form/*.cpp ${CMAKE_CURRENT_LIST_DIR}/form/*.h)
add_library(vespera_core STATIC ${VESPERA_CORE_SOURCES})
target_include_directories(vespera_core PUBLIC ${CMAKE_CURRENT_LIST_DIR})
target_compile_features(vespera_core PUBLIC cxx_std_20)
# Qt's moc, uic and rcc have nothing to do here.
set_target_properties(vespera_core PROPERTIES AUTOMOC OFF AUTOUIC OFF AUTORCC OFF)
