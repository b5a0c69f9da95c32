# The strategy developer kit as `cmake --install` lays it out under a prefix
# (the targets install themselves into bin/ and lib/, next to where they are
# defined):
#   include/norq, include/zq      the public headers
#   lib/                          the adapter and the platform stand-ins it loads
#   bin/zqhost, bin/DLLs/         the local host and the system Python modules
#   lib/cmake/NorqStrategySdk/    find_package(NorqStrategySdk)
#   lib/pkgconfig/                norq-strategy-sdk.pc
#   share/norq-strategy-sdk/      the strategy template, the sample bars, the sample
#                                 strategies (samples/) and the documentation (doc/)
# Both package files find the prefix from where they lie, so an installed SDK
# can be moved.
include(CMakePackageConfigHelpers)

set(norq_package_dir ${PROJECT_BINARY_DIR}/sdk-package)
set(norq_adapter_file ${CMAKE_SHARED_LIBRARY_PREFIX}zqcxxadapter${CMAKE_SHARED_LIBRARY_SUFFIX})
set(norq_adapter_soname ${norq_adapter_file})
if(WIN32)
  set(norq_adapter_location bin/${norq_adapter_file})
  set(norq_adapter_implib lib/${CMAKE_IMPORT_LIBRARY_PREFIX}zqcxxadapter${CMAKE_IMPORT_LIBRARY_SUFFIX})
else()
  set(norq_adapter_location lib/${norq_adapter_file})
endif()

install(DIRECTORY ${PROJECT_SOURCE_DIR}/include/norq ${PROJECT_SOURCE_DIR}/include/zq DESTINATION include
        FILES_MATCHING PATTERN "*.h")

configure_package_config_file(${CMAKE_CURRENT_LIST_DIR}/NorqStrategySdkConfig.cmake.in
  ${norq_package_dir}/NorqStrategySdkConfig.cmake INSTALL_DESTINATION lib/cmake/NorqStrategySdk)
# 0.x releases may change the binary interface with every minor version.
write_basic_package_version_file(${norq_package_dir}/NorqStrategySdkConfigVersion.cmake
  VERSION ${PROJECT_VERSION} COMPATIBILITY SameMinorVersion)
install(FILES ${norq_package_dir}/NorqStrategySdkConfig.cmake ${norq_package_dir}/NorqStrategySdkConfigVersion.cmake
        DESTINATION lib/cmake/NorqStrategySdk)

configure_file(${CMAKE_CURRENT_LIST_DIR}/norq-strategy-sdk.pc.in ${norq_package_dir}/norq-strategy-sdk.pc @ONLY)
install(FILES ${norq_package_dir}/norq-strategy-sdk.pc DESTINATION lib/pkgconfig)

install(DIRECTORY ${PROJECT_SOURCE_DIR}/examples/strategy-template DESTINATION share/norq-strategy-sdk
        PATTERN "build" EXCLUDE PATTERN "*.so" EXCLUDE)
install(FILES ${PROJECT_SOURCE_DIR}/examples/data/sample_bars.csv DESTINATION share/norq-strategy-sdk/data)

# The README's sections for strategy authors and zqhost users, taken from it
# whenever it changes, with the docs/ pages beside them.
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/README.md)
file(READ ${PROJECT_SOURCE_DIR}/README.md norq_readme)
set(norq_sdk_readme "# The Norq strategy SDK\n\nFrom the project's README. The other pages of this folder go into more detail.\n")
foreach(heading "## Writing a strategy" "## Running a strategy on your machine" "## For strategy authors")
  string(FIND "${norq_readme}" "\n${heading}" begin)
  if(begin EQUAL -1)
    message(FATAL_ERROR "README.md has no section '${heading}' for the installed SDK's documentation")
  endif()
  string(SUBSTRING "${norq_readme}" ${begin} -1 section)
  string(SUBSTRING "${section}" 1 -1 rest)
  string(FIND "${rest}" "\n## " end)
  string(SUBSTRING "${section}" 0 ${end} section)
  string(APPEND norq_sdk_readme "${section}\n")
endforeach()
file(WRITE ${norq_package_dir}/doc/README.md "${norq_sdk_readme}")
install(FILES ${norq_package_dir}/doc/README.md DESTINATION share/norq-strategy-sdk/doc)
install(DIRECTORY ${PROJECT_SOURCE_DIR}/docs/ DESTINATION share/norq-strategy-sdk/doc FILES_MATCHING PATTERN "*.md")
install(DIRECTORY ${PROJECT_SOURCE_DIR}/examples/macross ${PROJECT_SOURCE_DIR}/examples/dipbuyer
        ${PROJECT_SOURCE_DIR}/examples/pystrategy DESTINATION share/norq-strategy-sdk/samples)
