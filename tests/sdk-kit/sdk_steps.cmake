# The steps of a strategy author with the installed SDK, one per STEP:
#   install     installs the SDK from BUILD_DIR into WORK_DIR/sdk
#   template    copies the installed template, builds it with CMake, runs it
#               under the installed zqhost on the sample bars and doctors it
#   make        builds the template with make and pkg-config, and doctors it
#   no_sdk      configures the template where no SDK is installed
#   no_write    installs into a prefix that cannot be created
#   cmake -DSTEP=... -DBUILD_DIR=... -DWORK_DIR=... -DGENERATOR=... -DMAKE_PROGRAM=... -DCXX=...
#         -P sdk_steps.cmake
cmake_minimum_required(VERSION 3.16)
set(sdk ${WORK_DIR}/sdk)
set(share ${sdk}/share/norq-strategy-sdk)

# Runs a command; fails unless it exits with `status` and its output matches `pattern`.
function(expect status pattern)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
  if(NOT result STREQUAL "${status}" OR NOT output MATCHES "${pattern}")
    string(REPLACE ";" " " command "${ARGN}")
    message(FATAL_ERROR "${command}\nexpected exit status ${status} and output matching\n  ${pattern}\n"
                        "got exit status ${result} and output\n${output}")
  endif()
endfunction()

function(copy_template to)
  file(REMOVE_RECURSE ${to})
  file(COPY ${share}/strategy-template/ DESTINATION ${to})
endfunction()

if(STEP STREQUAL "install")
  file(REMOVE_RECURSE ${sdk})
  expect(0 "" ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${sdk})
  foreach(file bin/zqhost lib/libzqcxxadapter.so lib/libzqloglib.so lib/libzqdataaccess.so include/norq/norq.h
          include/zq/hostservices.h lib/cmake/NorqStrategySdk/NorqStrategySdkConfig.cmake
          lib/pkgconfig/norq-strategy-sdk.pc share/norq-strategy-sdk/strategy-template/CMakeLists.txt
          share/norq-strategy-sdk/doc/summary.md share/norq-strategy-sdk/samples/macross/macross.cpp
          share/norq-strategy-sdk/samples/dipbuyer/dipbuyer.cpp share/norq-strategy-sdk/samples/pystrategy/pystrategy.py)
    if(NOT EXISTS ${sdk}/${file})
      message(FATAL_ERROR "the installed SDK lacks ${file}")
    endif()
  endforeach()
  # The documentation holds the README's sections for strategy authors, and
  # the template's README points to it.
  file(READ ${share}/doc/README.md doc)
  file(READ ${share}/strategy-template/README.md template_readme)
  foreach(part "## Writing a strategy" "## Running a strategy on your machine: zqhost" "## For strategy authors"
          "NORQ_STRATEGY_EXPORT" "Timers\\.\\*\\* A periodic timer counts host ticks" "ORDER_STATUS_FILLED")
    if(NOT doc MATCHES "${part}")
      message(FATAL_ERROR "the installed doc/README.md lacks '${part}'")
    endif()
  endforeach()
  if(NOT template_readme MATCHES "share/norq-strategy-sdk/doc/README.md" OR NOT template_readme MATCHES "samples/")
    message(FATAL_ERROR "the template's README does not point to the documentation and samples")
  endif()
  # Samples come as sources; nothing built from this tree is installed.
  file(GLOB_RECURSE stray RELATIVE ${sdk} ${sdk}/*test* ${sdk}/*bench* ${sdk}/*fuzz* ${sdk}/*macross*)
  list(FILTER stray EXCLUDE REGEX "^share/norq-strategy-sdk/samples/macross/macross.cpp$")
  if(stray)
    message(FATAL_ERROR "tests, benchmarks or samples were installed: ${stray}")
  endif()
elseif(STEP STREQUAL "template")
  copy_template(${WORK_DIR}/template)
  expect(0 "" ${CMAKE_COMMAND} -S ${WORK_DIR}/template -B ${WORK_DIR}/template/build -G ${GENERATOR}
         -DCMAKE_CXX_COMPILER=${CXX} -DCMAKE_MAKE_PROGRAM=${MAKE_PROGRAM} -DCMAKE_PREFIX_PATH=${sdk})
  expect(0 "" ${CMAKE_COMMAND} --build ${WORK_DIR}/template/build)
  set(library ${WORK_DIR}/template/build/libmystrategy.so)
  expect(0 "filled 100 000001.SZ at [0-9.]+, holding 100.*stopped after 1200 bars of 000001.SZ.*fills +[1-9]"
         ${sdk}/bin/zqhost --account stock=880001 --bars ${share}/data/sample_bars.csv ${library})
  expect(0 "ok +its parameters: run_length \\(int\\), symbol \\(string\\), volume \\(int\\).It would load and run"
         ${sdk}/bin/zqhost doctor ${library})
elseif(STEP STREQUAL "make")
  copy_template(${WORK_DIR}/template-make)
  set(ENV{PKG_CONFIG_PATH} ${sdk}/lib/pkgconfig)
  set(ENV{CXX} ${CXX})
  expect(0 "" make -C ${WORK_DIR}/template-make)
  expect(0 "It would load and run" ${sdk}/bin/zqhost doctor ${WORK_DIR}/template-make/libmystrategy.so)
elseif(STEP STREQUAL "no_sdk")
  copy_template(${WORK_DIR}/template-alone)
  file(MAKE_DIRECTORY ${WORK_DIR}/nothing)
  expect(1 "The Norq strategy SDK was not found.*cmake --install build --prefix"
         ${CMAKE_COMMAND} -S ${WORK_DIR}/template-alone -B ${WORK_DIR}/template-alone/build -G ${GENERATOR}
         -DCMAKE_CXX_COMPILER=${CXX} -DCMAKE_MAKE_PROGRAM=${MAKE_PROGRAM} -DCMAKE_PREFIX_PATH=${WORK_DIR}/nothing
         -DCMAKE_FIND_USE_PACKAGE_REGISTRY=OFF
         -DCMAKE_FIND_USE_SYSTEM_PACKAGE_REGISTRY=OFF -DCMAKE_FIND_USE_CMAKE_SYSTEM_PATH=OFF
         -DCMAKE_FIND_USE_SYSTEM_ENVIRONMENT_PATH=OFF)
elseif(STEP STREQUAL "no_write")
  file(MAKE_DIRECTORY ${WORK_DIR})
  file(WRITE ${WORK_DIR}/a-file "")
  expect(1 "Cannot write to the install prefix[ \n]+${WORK_DIR}/a-file/sdk"
         ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${WORK_DIR}/a-file/sdk)
else()
  message(FATAL_ERROR "unknown STEP '${STEP}'")
endif()
