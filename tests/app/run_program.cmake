# SPDX-License-Identifier: GPL-3.0-or-later
# Runs a program and checks its exit status and what it printed.
#   cmake -D PROGRAM=path -D "ARGS=a|b" -D STATUS=0 [-D OUT=regex] [-D ERR=regex] -P run_program.cmake
# ARGS separates the arguments with "|". OUT and ERR must match stdout and
# stderr; without ERR, stderr must be empty.
string(REPLACE "|" ";" arguments "${ARGS}")
execute_process(COMMAND "${PROGRAM}" ${arguments}
                RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
set(problems "")
if(NOT status STREQUAL STATUS)
  string(APPEND problems "exit status ${status}, expected ${STATUS}\n")
endif()
if(DEFINED OUT AND NOT out MATCHES "${OUT}")
  string(APPEND problems "stdout does not match \"${OUT}\"\n")
endif()
if(DEFINED ERR)
  if(NOT err MATCHES "${ERR}")
    string(APPEND problems "stderr does not match \"${ERR}\"\n")
  endif()
elseif(NOT err STREQUAL "")
  string(APPEND problems "unexpected stderr\n")
endif()
if(problems)
  message(FATAL_ERROR "${PROGRAM} ${ARGS}:\n${problems}--- stdout:\n${out}--- stderr:\n${err}")
endif()
