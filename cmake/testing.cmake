# GoogleTest from Debian's sources, built for whichever target this tree is configured for.
if(NOT RC2E_FUZZ)
  set(gtest_disable_pthreads ${RC2E_WINDOWS} CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
endif()

# rc2e_add_test(NAME SOURCES src... LIBS lib... [GUI])
# One test executable, one ctest entry; on the Windows target ctest runs it through
# scripts/wine-run (the toolchain's emulator). GUI tests need the display that
# scripts/wine-session provides and are labelled so they can be run alone. RC2E_SOURCE_DIR
# names the source tree, where the examples and fixtures are.
function(rc2e_add_test name)
  cmake_parse_arguments(T "GUI" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest GTest::gmock GTest::gtest_main)
  target_compile_definitions(${name} PRIVATE RC2E_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES TIMEOUT 300)
  if(T_GUI)
    set_tests_properties(${name} PROPERTIES LABELS gui RUN_SERIAL ON)
  endif()
endfunction()

# GoogleTest's own sources hold literals outside code page 936, so they keep UTF-8.
if(NOT RC2E_FUZZ AND CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
  foreach(target gtest gtest_main gmock gmock_main)
    target_compile_options(${target} PRIVATE -fexec-charset=UTF-8)
  endforeach()
endif()
