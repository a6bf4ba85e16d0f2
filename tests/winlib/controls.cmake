# Fonts, owner-drawn buttons and labels on a real parent window under Wine.
tintrover_add_test(winlib_controls_owner_drawn_tests
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/ControlsFontsTest.cpp
          ${CMAKE_CURRENT_LIST_DIR}/ControlsOwnerDrawnTest.cpp
          ${CMAKE_CURRENT_LIST_DIR}/ControlsHarness.cpp
  LIBS tintrover_winlib
  TIMEOUT 120)
