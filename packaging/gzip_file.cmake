# SPDX-License-Identifier: GPL-3.0-or-later
# Compresses INPUT to OUTPUT the way Debian wants documentation compressed:
# best compression, no name or time stamp in the header (reproducible).
#   cmake -D INPUT=file -D OUTPUT=file.gz -P gzip_file.cmake
execute_process(COMMAND gzip -9 -n -c "${INPUT}" OUTPUT_FILE "${OUTPUT}" RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  file(REMOVE "${OUTPUT}")
  message(FATAL_ERROR "gzip failed on ${INPUT}: ${status}")
endif()
