# Run first by `cmake --install`: a prefix that cannot be written stops the
# installation before anything is copied, with a message that says what to do.
set(prefix "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}")
set(probe "${prefix}/.norq-sdk-write-test")
execute_process(COMMAND "${CMAKE_COMMAND}" -E make_directory "${prefix}" RESULT_VARIABLE failed
                OUTPUT_QUIET ERROR_QUIET)
if(NOT failed)
  execute_process(COMMAND "${CMAKE_COMMAND}" -E touch "${probe}" RESULT_VARIABLE failed OUTPUT_QUIET ERROR_QUIET)
endif()
if(failed)
  message(FATAL_ERROR "Cannot write to the install prefix ${prefix}.\n"
                      "Install the SDK where you may write, for example:\n"
                      "  cmake --install <build dir> --prefix $ENV{HOME}/norq-sdk")
endif()
file(REMOVE "${probe}")
