# Tests of the Windows build, run under Wine through the toolchain's emulator. One fresh
# Wine session per test run (the fixture `wine`): no state of an earlier run or of the
# user's own ~/.wine can make a test pass or fail.

set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

set(TIDEWELL_WINE_SESSION ${CMAKE_BINARY_DIR}/wine-session)
set(TIDEWELL_IN_WINE ${CMAKE_CURRENT_LIST_DIR}/in-wine.sh ${TIDEWELL_WINE_SESSION})
add_test(NAME wine_session_start
         COMMAND ${CMAKE_CURRENT_LIST_DIR}/wine-session.sh start ${TIDEWELL_WINE_SESSION})
set_tests_properties(wine_session_start PROPERTIES FIXTURES_SETUP wine TIMEOUT 180)
add_test(NAME wine_session_stop
         COMMAND ${CMAKE_CURRENT_LIST_DIR}/wine-session.sh stop ${TIDEWELL_WINE_SESSION})
set_tests_properties(wine_session_stop PROPERTIES FIXTURES_CLEANUP wine)

# A test run inside the session: `tidewell_wine_test(name COMMAND program args...)`.
# 77 (a 32-bit program where no 32-bit Wine runs) counts as skipped.
function(tidewell_wine_test name)
  cmake_parse_arguments(W "" "" "COMMAND" ${ARGN})
  add_test(NAME ${name} COMMAND ${TIDEWELL_IN_WINE} ${W_COMMAND})
  set_tests_properties(${name} PROPERTIES FIXTURES_REQUIRED wine SKIP_RETURN_CODE 77 TIMEOUT 300)
endfunction()

function(tidewell_gtest name)
  add_executable(${name} ${ARGN})
  target_include_directories(${name} PRIVATE ${CMAKE_CURRENT_SOURCE_DIR} ${PROJECT_SOURCE_DIR}/tests)
  target_link_libraries(${name} PRIVATE tidewell_window GTest::gtest GTest::gtest_main)
  tidewell_wine_test(${name} COMMAND $<TARGET_FILE:${name}>)
endfunction()

# The Qt front end's and the Linux backend's tests have no Windows build.
function(tidewell_platform_gtest)
endfunction()
function(tidewell_qtest)
endfunction()
function(tidewell_xtest)
endfunction()
