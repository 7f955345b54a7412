# SPDX-License-Identifier: GPL-3.0-or-later
# Tests of the workbook layer, the chart reader and the diagram export. They
# read the template as generated (not the application folder's copy, which the
# program rewrites) and work on copies of it.
termiva_add_gtest(workbook_test
  SOURCES workbook_test.cpp workbook_chart_test.cpp diagram_export_test.cpp hostile_workbook_test.cpp
    workbook_test_support.cpp
  LIBS Termiva::files PkgConfig::TERMIVA_LIBZIP pugixml::pugixml)
target_compile_definitions(workbook_test PRIVATE
  TERMIVA_TEMPLATE="${CMAKE_BINARY_DIR}/resources/template/Template.xlsx")
add_dependencies(workbook_test termiva_template)
