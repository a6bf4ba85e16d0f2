# Standard control wrappers on real controls under Wine, and every wrapper
# family placed above 4 GiB.
tintrover_add_test(winlib_controls_standard_tests
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/ControlsStandardTest.cpp
          ${CMAKE_CURRENT_LIST_DIR}/ControlsHighAddressTest.cpp
          ${CMAKE_CURRENT_LIST_DIR}/ControlsHarness.cpp
  LIBS tintrover_winlib
  TIMEOUT 120)
