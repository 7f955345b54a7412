# SPDX-License-Identifier: GPL-3.0-or-later
# Input data file records: the line layouts of the calculator screens'
# files and the all-or-nothing file writer. The workbook units join this
# target from workbook.cmake.
add_library(termiva_files STATIC
  ${CMAKE_CURRENT_LIST_DIR}/atomic_write.cpp
  ${CMAKE_CURRENT_LIST_DIR}/input_file.cpp)
target_include_directories(termiva_files PUBLIC "${PROJECT_SOURCE_DIR}/src")
target_link_libraries(termiva_files PUBLIC Termiva::text Termiva::support PRIVATE Termiva::warnings)
add_library(Termiva::files ALIAS termiva_files)
