# The library's own windows and the window utilities, under Wine.
tintrover_add_test(winlib_windows_tests
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/WindowsTest.cpp
  LIBS tintrover_winlib
  TIMEOUT 120)
