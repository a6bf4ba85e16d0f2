# Draws the state the soak read back from the program's controls with the
# native snapshot renderer, and compares frame and status line with what the
# program showed.
# cmake -DSNAPSHOT=<tintrover-snapshot> -DDIR=<soak folder> -P SoakFrame.cmake
if(NOT EXISTS "${SNAPSHOT}")
  message(FATAL_ERROR "the native snapshot renderer is missing: ${SNAPSHOT} (build the native tree first)")
endif()
file(STRINGS ${DIR}/soak-state.txt args)
list(JOIN args " " state)
execute_process(COMMAND ${SNAPSHOT} ${args} --out ${DIR}/soak-reference.ppm
                OUTPUT_FILE ${DIR}/soak-reference-status.txt RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "snapshot failed for: ${state}")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${DIR}/soak-view.ppm ${DIR}/soak-reference.ppm
                RESULT_VARIABLE differ)
if(differ)
  message(FATAL_ERROR "the program's last frame (${DIR}/soak-view.ppm) differs from the renderer's "
                      "(${DIR}/soak-reference.ppm) for: ${state}")
endif()
file(READ ${DIR}/soak-status.txt shown)
file(READ ${DIR}/soak-reference-status.txt rendered)
string(STRIP "${shown}" shown)
string(STRIP "${rendered}" rendered)
if(NOT shown STREQUAL rendered)
  message(FATAL_ERROR "status line \"${shown}\", the renderer's \"${rendered}\" for: ${state}")
endif()
message(STATUS "the last frame and status line equal the renderer's for: ${state}")
