# The strategy developer kit as `cmake --install` lays it out under a prefix
# (the targets install themselves into bin/ and lib/, next to where they are
# defined):
#   include/norq, include/zq      the public headers
#   lib/                          the adapter and the platform stand-ins it loads
#   bin/zqhost, bin/DLLs/         the local host and the system Python modules
#   lib/cmake/NorqStrategySdk/    find_package(NorqStrategySdk)
#   lib/pkgconfig/                norq-strategy-sdk.pc
#   share/norq-strategy-sdk/      the strategy template and the sample bars
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
