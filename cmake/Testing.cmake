# GoogleTest for both trees. Natively the Debian package's libraries; for
# Windows the same sources built with the cross compiler.
if(WIN32)
  set(TINTROVER_GTEST_SOURCE_DIR /usr/src/googletest CACHE PATH
      "GoogleTest's sources, built with the cross compiler for the Windows tree")
  set(gtest_disable_pthreads OFF CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
  add_subdirectory(${TINTROVER_GTEST_SOURCE_DIR}/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
  add_library(tintrover_gtest INTERFACE)
  target_link_libraries(tintrover_gtest INTERFACE gtest_main)
else()
  find_package(GTest REQUIRED)
  add_library(tintrover_gtest INTERFACE)
  target_link_libraries(tintrover_gtest INTERFACE GTest::gtest_main)
endif()

# tintrover_add_test(name SOURCES a.cpp b.cpp LIBS lib1 lib2)
# One test program is one CTest test: under Wine that is one Wine start per
# program, not per case.
function(tintrover_add_test name)
  cmake_parse_arguments(T "" "TIMEOUT" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} tintrover_gtest)
  if(WIN32)
    # Console test programs; they may still create windows.
    target_link_options(${name} PRIVATE -mconsole)
  endif()
  add_test(NAME ${name} COMMAND ${name} --gtest_brief=1)
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 300)
  endif()
  set_tests_properties(${name} PROPERTIES TIMEOUT ${T_TIMEOUT})
endfunction()
