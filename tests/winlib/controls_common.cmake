# Status bar and tab control wrappers on real common controls under Wine.
tintrover_add_test(winlib_controls_common_tests
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/ControlsCommonTest.cpp
          ${CMAKE_CURRENT_LIST_DIR}/ControlsHarness.cpp
  LIBS tintrover_winlib
  TIMEOUT 120)
