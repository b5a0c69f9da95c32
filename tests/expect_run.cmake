# Runs the command given after "--" and fails unless it exits with STATUS and
# its standard output and error, taken together, match the regular expression
# OUTPUT (and, when ABSENT is given, nothing in them matches ABSENT; when
# NO_FILE is given, the command leaves no file there). A message alone is not
# enough: a crash can print the right text too.
#   cmake -DSTATUS=n -DOUTPUT=regex [-DABSENT=regex] [-DNO_FILE=path] -P expect_run.cmake -- command [args...]
cmake_minimum_required(VERSION 3.16)
set(command)
set(after_separator OFF)
math(EXPR last "${CMAKE_ARGC} - 1")
foreach(i RANGE ${last})
  if(after_separator)
    list(APPEND command "${CMAKE_ARGV${i}}")
  elseif(CMAKE_ARGV${i} STREQUAL "--")
    set(after_separator ON)
  endif()
endforeach()
if(NOT "${NO_FILE}" STREQUAL "")
  file(REMOVE "${NO_FILE}")
endif()
execute_process(COMMAND ${command} RESULT_VARIABLE status OUTPUT_VARIABLE output ERROR_VARIABLE output)
set(absent_found OFF)
if(NOT "${ABSENT}" STREQUAL "" AND output MATCHES "${ABSENT}")
  set(absent_found ON)
endif()
if(NOT "${NO_FILE}" STREQUAL "" AND EXISTS "${NO_FILE}")
  message(FATAL_ERROR "the command left ${NO_FILE}; output:\n${output}")
endif()
if(NOT status STREQUAL "${STATUS}" OR NOT output MATCHES "${OUTPUT}" OR absent_found)
  message(FATAL_ERROR "expected exit status ${STATUS} and output matching\n  ${OUTPUT}\n"
                      "and nothing matching\n  ${ABSENT}\n"
                      "got exit status ${status} and output\n${output}")
endif()
