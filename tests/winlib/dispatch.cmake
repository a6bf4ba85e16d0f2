# Message dispatch and subclassing, with real windows under Wine.
tintrover_add_test(winlib_dispatch_tests
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/DispatchTest.cpp
  LIBS tintrover_winlib
  TIMEOUT 120)
