# SPDX-License-Identifier: GPL-3.0-or-later
# Tests of the input data file records.
termiva_add_gtest(input_file_test SOURCES input_file_test.cpp LIBS Termiva::files)
