# SPDX-License-Identifier: GPL-3.0-or-later
# The workbook (.xlsx) layer over libzip and pugixml, the chart reader and the
# diagram export.
if(NOT TARGET termiva_files)
  add_library(termiva_files STATIC)
  target_include_directories(termiva_files PUBLIC "${PROJECT_SOURCE_DIR}/src")
  target_link_libraries(termiva_files PUBLIC Termiva::support)
  add_library(Termiva::files ALIAS termiva_files)
endif()

# libzip's CMake package insists on its command-line tools: pkg-config it is.
find_package(PkgConfig REQUIRED)
pkg_check_modules(TERMIVA_LIBZIP REQUIRED IMPORTED_TARGET GLOBAL libzip)
find_package(pugixml REQUIRED GLOBAL)

target_sources(termiva_files PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/workbook.cpp
  ${CMAKE_CURRENT_LIST_DIR}/workbook_caches.cpp
  ${CMAKE_CURRENT_LIST_DIR}/workbook_chart.cpp
  ${CMAKE_CURRENT_LIST_DIR}/workbook_package.cpp
  ${CMAKE_CURRENT_LIST_DIR}/workbook_refs.cpp
  ${CMAKE_CURRENT_LIST_DIR}/diagram_export.cpp
  ${CMAKE_CURRENT_LIST_DIR}/workbook_template.cpp)
target_link_libraries(termiva_files
  PUBLIC Termiva::support
  PRIVATE Termiva::text PkgConfig::TERMIVA_LIBZIP pugixml::pugixml Termiva::warnings)
